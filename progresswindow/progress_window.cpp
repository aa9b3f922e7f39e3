#include "progresswindow/progress_window.h"

#include "progress/store.h"
#include "progresswindow/progress_chart.h"
#include "questions/pool.h"

#include <QChartView>
#include <QDateTimeEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

namespace progresswindow {
namespace {

QString percentText(std::optional<double> share)
{
    return share ? QStringLiteral("%1 %").arg(qRound(*share * 100)) : QStringLiteral("\u2014");
}

QTableWidgetItem *cell(const QString &text, bool number)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidget *makeTable(const QStringList &headers, const QString &name)
{
    auto *table = new QTableWidget(0, int(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setAccessibleName(name);
    table->setObjectName(name);
    return table;
}

// Enter on a subelement row drills it, as a double-click does.
class EnterFilter final : public QObject
{
public:
    EnterFilter(QObject *parent, std::function<void()> action) : QObject(parent), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        m_action();
        return true;
    }

private:
    std::function<void()> m_action;
};

} // namespace

ProgressWindow::ProgressWindow(progress::Store &store, QWidget *parent, std::function<QDateTime()> now)
    : QWidget(parent, Qt::Window), m_store(store),
      m_now(now ? std::move(now) : [] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_confirm = [this](const QString &question) {
        return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    build();
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::build()
{
    setWindowTitle(tr("Progress"));
    auto *layout = new QVBoxLayout(this);

    m_notice = new QLabel;
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("QLabel { color: #8a1c00; font-weight: bold; }"));
    m_notice->setAccessibleName(tr("Saving notice"));
    m_notice->hide();
    layout->addWidget(m_notice);

    m_title = new QLabel;
    m_title->setTextFormat(Qt::PlainText);
    m_title->setWordWrap(true);
    m_title->setAccessibleName(tr("Pool"));
    layout->addWidget(m_title);

    m_table = makeTable({tr("Subelement"), tr("Title"), tr("Questions"), tr("Seen"),
                         tr("Right the last time"), tr("First-attempt accuracy")},
                        tr("Progress by subelement"));
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &ProgressWindow::requestDrill);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this] { m_drill->setEnabled(!selectedSubelement().isEmpty()); });
    m_table->installEventFilter(new EnterFilter(m_table, [this] { requestDrill(); }));

    m_chart = new QChartView;
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(220);
    m_chart->setAccessibleName(tr("Chart of progress by subelement"));
    m_chart->setFocusPolicy(Qt::NoFocus);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_table);
    splitter->addWidget(m_chart);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({300, 260});
    layout->addWidget(splitter, 1);

    auto *examRow = new QHBoxLayout;
    auto *momentLabel = new QLabel(tr("E&xam day:"));
    m_moment = new QDateTimeEdit;
    m_moment->setCalendarPopup(true);
    m_moment->setDisplayFormat(QLocale().dateTimeFormat(QLocale::ShortFormat));
    m_moment->setAccessibleName(tr("Exam day and time"));
    momentLabel->setBuddy(m_moment);
    m_chance = new QLabel;
    m_chance->setTextFormat(Qt::PlainText);
    m_chance->setAccessibleName(tr("Chance to pass"));
    m_chance->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    examRow->addWidget(momentLabel);
    examRow->addWidget(m_moment);
    examRow->addSpacing(12);
    examRow->addWidget(m_chance, 1);
    layout->addLayout(examRow);
    connect(m_moment, &QDateTimeEdit::dateTimeChanged, this, &ProgressWindow::examMomentChanged);

    auto *examsLabel = new QLabel(tr("&Practice exams:"));
    m_exams = makeTable({tr("Date"), tr("Score"), tr("Result")}, tr("Practice exams"));
    m_exams->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_exams->setMaximumHeight(4 * m_exams->verticalHeader()->defaultSectionSize());
    examsLabel->setBuddy(m_exams);
    layout->addWidget(examsLabel);
    layout->addWidget(m_exams);

    auto *buttons = new QHBoxLayout;
    m_drill = new QPushButton(tr("&Drill"));
    m_drill->setToolTip(tr("Practise the questions of the chosen subelement"));
    m_drill->setEnabled(false);
    connect(m_drill, &QPushButton::clicked, this, &ProgressWindow::requestDrill);
    m_export = new QPushButton(tr("Export &CSV..."));
    connect(m_export, &QPushButton::clicked, this, &ProgressWindow::chooseExportFile);
    m_forget = new QPushButton(tr("&Forget this pool's progress..."));
    connect(m_forget, &QPushButton::clicked, this, &ProgressWindow::forgetPool);
    auto *close = new QPushButton(tr("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
    for (QPushButton *b : {m_drill, m_export, m_forget, close})
        b->setAccessibleName(b->text().remove(u'&'));
    buttons->addWidget(m_drill);
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    buttons->addWidget(m_forget);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    resize(780, 720);
}

void ProgressWindow::setConfirmation(std::function<bool(const QString &)> confirm)
{
    m_confirm = std::move(confirm);
}

void ProgressWindow::setPool(const questions::Pool *pool, const QString &key)
{
    const bool samePool = pool && key == m_key;
    m_pool = pool;
    m_key = pool ? key : QString();
    if (!samePool) { // a remembered exam day, else a day from now
        const QSignalBlocker block(m_moment);
        m_moment->setDateTime(m_store.examMoment(m_key).value_or(m_now().addDays(1)).toLocalTime());
    }
    refresh();
}

void ProgressWindow::refresh()
{
    const progress::Problem problem = m_store.problem();
    m_notice->setText(problem.message);
    m_notice->setVisible(!problem.message.isEmpty());

    m_summary =
        m_pool ? progress::summarize(*m_pool, m_store.answersByQuestion(m_key)) : progress::PoolSummary();
    m_title->setText(m_pool ? QStringLiteral("%1 (%2)").arg(m_pool->title.trimmed(), m_key)
                            : tr("No question pool is loaded."));
    m_forget->setEnabled(m_pool != nullptr);
    m_moment->setEnabled(m_pool != nullptr);
    fillTable();
    fillChart();
    fillExams();
    updateChance();
}

void ProgressWindow::fillTable()
{
    const QString selected = selectedSubelement();
    m_table->setRowCount(0);
    const auto addRow = [this](const progress::SubelementSummary &row, const QString &id,
                               const QString &title) {
        const int r = m_table->rowCount();
        m_table->insertRow(r);
        m_table->setItem(r, 0, cell(id, false));
        m_table->setItem(r, 1, cell(title, false));
        m_table->setItem(r, 2, cell(QString::number(row.questions), true));
        m_table->setItem(r, 3, cell(QString::number(row.seen), true));
        m_table->setItem(r, 4, cell(QString::number(row.rightLastTime), true));
        m_table->setItem(r, 5, cell(percentText(row.accuracy()), true));
    };
    for (const progress::SubelementSummary &row : std::as_const(m_summary.subelements))
        addRow(row, row.id, row.title);
    if (m_pool) {
        addRow(m_summary.total, tr("Total"),
               m_summary.total.answers == 1 ? tr("1 answer recorded")
                                            : tr("%1 answers recorded").arg(m_summary.total.answers));
        QFont bold = m_table->font();
        bold.setBold(true);
        for (int c = 0; c < m_table->columnCount(); ++c)
            m_table->item(m_table->rowCount() - 1, c)->setFont(bold);
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int r = 0; r < m_summary.subelements.size(); ++r) {
        if (m_summary.subelements[r].id == selected)
            m_table->selectRow(r);
    }
    m_drill->setEnabled(!selectedSubelement().isEmpty());
}

void ProgressWindow::fillChart()
{
    QChart *old = m_chart->chart();
    m_chart->setChart(progressChart(m_summary));
    delete old;
}

void ProgressWindow::fillExams()
{
    m_exams->setRowCount(0);
    if (!m_pool)
        return;
    const QList<progress::ExamRecord> exams = m_store.exams(m_key);
    for (const progress::ExamRecord &exam : exams) {
        const int r = m_exams->rowCount();
        m_exams->insertRow(r);
        m_exams->setItem(
            r, 0, cell(QLocale().toString(exam.finishedAt.toLocalTime(), QLocale::ShortFormat), false));
        m_exams->setItem(r, 1, cell(tr("%1 of %2").arg(exam.score).arg(exam.total), true));
        m_exams->setItem(r, 2, cell(exam.passed ? tr("Passed") : tr("Failed"), false));
    }
    m_exams->resizeColumnsToContents();
    m_exams->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

void ProgressWindow::updateChance()
{
    if (!m_pool || m_summary.questionIds.isEmpty()) {
        m_chance->setText(QString());
        return;
    }
    const auto chance = progress::forecastFor(m_summary, m_moment->dateTime().toUTC());
    m_chance->setText(chance ? forecast::describe(*chance)
                             : tr("No chance to pass can be given: this pool has no exam rules"));
}

void ProgressWindow::examMomentChanged()
{
    updateChance();
    if (m_pool)
        m_store.setExamMoment(m_key, m_moment->dateTime().toUTC());
}

QString ProgressWindow::exportCsv(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !progress::writeCsv(file, m_store.allAnswers()) || !file.commit())
        return tr("The answers could not be written to %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

void ProgressWindow::chooseExportFile()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export CSV"), QDir(folder).filePath(QStringLiteral("examora-answers.csv")),
        tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    if (const QString error = exportCsv(path); !error.isEmpty())
        QMessageBox::warning(this, windowTitle(), error);
}

void ProgressWindow::forgetPool()
{
    if (!m_pool)
        return;
    const QString question = tr("Forget every recorded answer, practice exam and the exam day of %1? "
                                "This cannot be undone.")
                                 .arg(m_key);
    if (!m_confirm(question))
        return;
    if (!m_store.forget(m_key))
        QMessageBox::warning(this, windowTitle(), m_store.problem().message);
    refresh();
}

QString ProgressWindow::selectedSubelement() const
{
    const QList<QTableWidgetItem *> items = m_table->selectedItems();
    if (items.isEmpty())
        return {};
    const int row = items.front()->row();
    return row < m_summary.subelements.size() ? m_summary.subelements[row].id : QString();
}

void ProgressWindow::requestDrill()
{
    if (const QString id = selectedSubelement(); !id.isEmpty())
        Q_EMIT drillRequested(id);
}

} // namespace progresswindow
