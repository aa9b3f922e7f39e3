#include "progresswindow/progress_window.h"

#include "progress/store.h"
#include "progresswindow/pool_name.h"
#include "progresswindow/progress_chart.h"
#include "questions/pool.h"
#include "textio/file_writer.h"
#include "windowstate/window_state.h"

#include <QChartView>
#include <QCoreApplication>
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
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

namespace progresswindow {
namespace {

// Exam moments are chosen and shown to the minute.
const QString momentFormat = QStringLiteral("d MMM yyyy HH:mm");

QString reviewCountKey(const QString &poolKey)
{
    return QStringLiteral("review/count/") + QString(poolKey).replace(u'/', u'_');
}

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
    // Everything above the buttons scrolls when the screen is too small for it.
    auto *outer = new QVBoxLayout(this);
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("progressScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);

    m_notice = new QLabel;
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("QLabel { color: #8a1c00; font-weight: bold; }"));
    m_notice->hide();
    layout->addWidget(m_notice);

    m_title = new QLabel;
    m_title->setTextFormat(Qt::PlainText);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);

    m_table = makeTable({tr("Subelement"), tr("Title"), tr("Questions"), tr("Seen"),
                         tr("Right the\nlast time"), tr("First-attempt\naccuracy")},
                        tr("Progress by subelement"));
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    // Long titles wrap within their column, their rows growing to hold them; the long
    // headers take two lines, so the numbers leave the titles room.
    m_table->setWordWrap(true);
    m_table->setTextElideMode(Qt::ElideNone);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, m_table,
            [this] { m_table->resizeRowsToContents(); });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &ProgressWindow::requestDrill);
    // A focused cell selects its row, so Drill and Enter work from it.
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && m_table->selectedItems().isEmpty())
            m_table->selectRow(row);
    });
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this] { m_drill->setEnabled(!selectedSubelement().isEmpty()); });
    m_table->installEventFilter(new EnterFilter(m_table, [this] { requestDrill(); }));

    m_chart = new QChartView;
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(150);
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
    m_moment->setDisplayFormat(momentFormat);
    m_moment->setAccessibleName(tr("Exam day and time"));
    momentLabel->setBuddy(m_moment);
    m_chance = new QLabel;
    m_chance->setTextFormat(Qt::PlainText);
    m_chance->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    examRow->addWidget(momentLabel);
    examRow->addWidget(m_moment);
    examRow->addSpacing(12);
    examRow->addWidget(m_chance, 1);
    layout->addLayout(examRow);
    m_momentNote = new QLabel;
    m_momentNote->setObjectName(QStringLiteral("momentNote"));
    m_momentNote->setTextFormat(Qt::PlainText);
    m_momentNote->setWordWrap(true);
    m_momentNote->hide();
    layout->addWidget(m_momentNote);
    m_explain = new QLabel;
    m_explain->setObjectName(QStringLiteral("explanation"));
    m_explain->setTextFormat(Qt::PlainText);
    m_explain->setWordWrap(true);
    m_explain->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(m_explain);
    connect(m_moment, &QDateTimeEdit::dateTimeChanged, this, &ProgressWindow::examMomentChanged);

    auto *examsLabel = new QLabel(tr("&Practice exams:"));
    m_exams =
        makeTable({tr("Date"), tr("Score"), tr("Result"), tr("Forecast before it")}, tr("Practice exams"));
    m_exams->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_exams->setMaximumHeight(4 * m_exams->verticalHeader()->defaultSectionSize());
    examsLabel->setBuddy(m_exams);
    layout->addWidget(examsLabel);
    layout->addWidget(m_exams);
    m_examAverage = new QLabel;
    m_examAverage->setObjectName(QStringLiteral("examAverage"));
    m_examAverage->setTextFormat(Qt::PlainText);
    m_examAverage->setWordWrap(true);
    layout->addWidget(m_examAverage);

    m_exported = new QLabel;
    m_exported->setObjectName(QStringLiteral("exported"));
    m_exported->setTextFormat(Qt::PlainText);
    m_exported->setWordWrap(true);
    m_exported->hide();
    layout->addWidget(m_exported);

    scroll->setWidget(content);
    outer->addWidget(scroll, 1);

    auto *buttons = new QHBoxLayout;
    m_drill = new QPushButton(tr("&Drill"));
    m_drill->setToolTip(tr("Practise the questions of the chosen subelement"));
    m_drill->setEnabled(false);
    connect(m_drill, &QPushButton::clicked, this, &ProgressWindow::requestDrill);
    m_review = new QPushButton(tr("&Review"));
    m_review->setToolTip(tr("Practise the questions that raise the chance to pass the most"));
    connect(m_review, &QPushButton::clicked, this,
            [this] { Q_EMIT reviewRequested(m_reviewCount->value()); });
    auto *countLabel = new QLabel(tr("&Questions per review:"));
    m_reviewCount = new QSpinBox;
    m_reviewCount->setRange(5, 100);
    m_reviewCount->setValue(20);
    m_reviewCount->setAccessibleName(tr("Questions per review"));
    countLabel->setBuddy(m_reviewCount);
    connect(m_reviewCount, &QSpinBox::valueChanged, this, [this](int count) {
        if (m_pool)
            rememberReviewCount(m_key, count);
    });
    m_export = new QPushButton(tr("Export &CSV..."));
    connect(m_export, &QPushButton::clicked, this, &ProgressWindow::chooseExportFile);
    m_forget = new QPushButton(tr("&Forget this pool's progress..."));
    connect(m_forget, &QPushButton::clicked, this, &ProgressWindow::forgetPool);
    auto *close = new QPushButton(tr("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
    for (QPushButton *b : {m_drill, m_review, m_export, m_forget, close})
        b->setAccessibleName(b->text().remove(u'&'));
    // Two rows, studying above and the file's own actions below, so the window keeps to
    // 640 pixels wide on the smallest screen.
    auto *study = new QHBoxLayout;
    study->addWidget(m_drill);
    study->addSpacing(12);
    study->addWidget(m_review);
    study->addWidget(countLabel);
    study->addWidget(m_reviewCount);
    study->addStretch(1);
    outer->addLayout(study);
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    buttons->addWidget(m_forget);
    buttons->addWidget(close);
    outer->addLayout(buttons);

    resize(780, 720);
}

void ProgressWindow::showEvent(QShowEvent *event)
{
    // Wrapped titles take their rows' heights once the title column has its width.
    QTimer::singleShot(0, m_table, [this] { m_table->resizeRowsToContents(); });
    if (!m_placed) {
        m_placed = true;
        windowstate::restoreGeometry(*this, QStringLiteral("progress"), QSize(780, 720),
                                     windowstate::ownerOf(*this));
        windowstate::rememberGeometry(*this, QStringLiteral("progress"));
    }
    QWidget::showEvent(event);
}

void ProgressWindow::changeEvent(QEvent *event)
{
    // The chart takes its colours from the palette: a desktop turned dark redraws it.
    if (event->type() == QEvent::PaletteChange && m_chart)
        fillChart();
    QWidget::changeEvent(event);
}

QString ProgressWindow::poolName() const
{
    return m_pool ? progresswindow::poolName(m_key, m_pool->title) : QString();
}

void ProgressWindow::setUserPoolFolder(const QString &folder)
{
    m_userFolder = folder;
}

void ProgressWindow::showExported(int answers, const QString &path)
{
    const QString where = QDir::toNativeSeparators(path);
    m_exported->setText(answers == 1 ? tr("Exported 1 answer to %1").arg(where)
                                     : tr("Exported %1 answers to %2").arg(answers).arg(where));
    m_exported->show();
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
    if (!samePool) {
        showExamMoment();
        const QSignalBlocker block(m_reviewCount);
        m_reviewCount->setValue(rememberedReviewCount(m_key));
    }
    refresh();
}

void ProgressWindow::refresh()
{
    m_summary =
        m_pool ? progress::summarize(*m_pool, m_store.answersByQuestion(m_key)) : progress::PoolSummary();
    m_readFault = m_store.readFault();
    const QString folder = m_pool ? m_userFolder : QString();
    setWindowTitle(progressTitle(poolName(), folder));
    QString title = m_pool ? QStringLiteral("%1 (%2)").arg(m_pool->title.trimmed(), poolName())
                           : tr("No question pool is loaded.");
    if (!folder.isEmpty())
        title += u'\n' + tr("Your own installed copy, read from %1").arg(QDir::toNativeSeparators(folder));
    m_title->setText(title);
    m_forget->setEnabled(m_pool != nullptr);
    m_moment->setEnabled(m_pool != nullptr);
    m_review->setEnabled(m_pool != nullptr && m_summary.rules.has_value());
    m_reviewCount->setEnabled(m_review->isEnabled());
    if (m_moment->dateTime() < m_now()) // the chosen moment went by while the window was open
        showExamMoment();
    m_examRecords = m_pool ? m_store.exams(m_key) : QList<progress::ExamRecord>();
    if (m_readFault.isEmpty())
        m_readFault = m_store.readFault();
    QList<QDateTime> cutoffs{QDateTime()};
    for (const progress::ExamRecord &exam : std::as_const(m_examRecords))
        cutoffs.append(exam.startedAt);
    m_memories = forecast::replayPool(m_summary.questionIds, m_summary.reviews, cutoffs, m_days);
    fillTable();
    fillChart();
    fillExams();
    updateChance();
    // A read that failed is a fault of its own, never shown as no answers.
    QStringList notice = {m_store.problem().message, m_readFault};
    notice.removeAll(QString());
    notice.removeDuplicates();
    m_notice->setText(notice.join(u'\n'));
    m_notice->setVisible(!notice.isEmpty());
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
        m_table->item(r, 1)->setToolTip(title);
        m_table->setItem(r, 2, cell(QString::number(row.questions), true));
        m_table->setItem(r, 3, cell(QString::number(row.seen), true));
        m_table->setItem(r, 4, cell(QString::number(row.rightLastTime), true));
        m_table->setItem(r, 5, cell(percentText(row.accuracy()), true));
    };
    for (const progress::SubelementSummary &row : std::as_const(m_summary.subelements))
        addRow(row, row.id, row.title);
    if (m_pool) {
        addRow(m_summary.total, tr("Total"),
               !m_readFault.isEmpty()         ? tr("The recorded answers could not be read")
               : m_summary.total.answers == 1 ? tr("1 answer recorded")
                                              : tr("%1 answers recorded").arg(m_summary.total.answers));
        QFont bold = m_table->font();
        bold.setBold(true);
        for (int c = 0; c < m_table->columnCount(); ++c)
            m_table->item(m_table->rowCount() - 1, c)->setFont(bold);
    }
    // The title column takes what the others leave; its width is not its longest title's.
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_table->resizeRowsToContents();
    for (int r = 0; r < m_summary.subelements.size(); ++r) {
        if (m_summary.subelements[r].id == selected)
            m_table->selectRow(r);
    }
    m_drill->setEnabled(!selectedSubelement().isEmpty());
}

void ProgressWindow::fillChart()
{
    QChart *old = m_chart->chart();
    m_chart->setChart(progressChart(m_summary, palette()));
    delete old;
}

void ProgressWindow::fillExams()
{
    m_exams->setRowCount(0);
    m_examAverage->clear();
    if (!m_pool)
        return;
    double forecastSum = 0;
    int scoreSum = 0, forecasts = 0;
    for (qsizetype e = 0; e < m_examRecords.size(); ++e) {
        const progress::ExamRecord &exam = m_examRecords[e];
        const int r = m_exams->rowCount();
        m_exams->insertRow(r);
        m_exams->setItem(
            r, 0, cell(QLocale().toString(exam.finishedAt.toLocalTime(), QLocale::ShortFormat), false));
        m_exams->setItem(r, 1, cell(tr("%1 of %2").arg(exam.score).arg(exam.total), true));
        m_exams->setItem(r, 2, cell(exam.passed ? tr("Passed") : tr("Failed"), false));
        // The forecast from the answers recorded before the exam started, for that moment.
        QString forecastText = QStringLiteral("\u2014");
        if (m_summary.rules && exam.startedAt.isValid()) {
            const forecast::ExamForecast before =
                forecast::forecastExamDay(m_memories[e + 1], exam.passMark, exam.startedAt);
            forecastText = tr("forecast %1 (%2)")
                               .arg(before.expectedScore, 0, 'f', 1)
                               .arg(forecast::percentText(before.passProbability));
            forecastSum += before.expectedScore;
            scoreSum += exam.score;
            ++forecasts;
        }
        m_exams->setItem(r, 3, cell(forecastText, true));
    }
    if (forecasts > 0)
        m_examAverage->setText((forecasts == 1
                                    ? tr("Your 1 practice exam: forecast %2 on average, scored %3")
                                    : tr("Your %1 practice exams: forecast %2 on average, scored %3"))
                                   .arg(forecasts)
                                   .arg(forecastSum / forecasts, 0, 'f', 1)
                                   .arg(double(scoreSum) / forecasts, 0, 'f', 1));
    m_examAverage->setVisible(forecasts > 0);
    m_exams->resizeColumnsToContents();
    m_exams->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

void ProgressWindow::updateChance()
{
    if (!m_pool || m_summary.questionIds.isEmpty() || m_memories.isEmpty()) {
        m_chance->setText(QString());
        m_explain->clear();
        return;
    }
    const forecast::PoolMemory &now = m_memories.constFirst();
    m_chance->setText(m_summary.rules ? forecast::describe(forecast::forecastExamDay(
                                            now, m_summary.rules->passMark, m_moment->dateTime().toUTC()))
                                      : tr("No chance to pass can be given: this pool has no exam rules"));
    m_explain->setText(tr("%1 questions: %2 never answered, %3 missed the last time, %4 right the last time")
                           .arg(now.ids.size())
                           .arg(now.neverAnswered())
                           .arg(now.missedLastTime())
                           .arg(now.rightLastTime()));
}

QDateTime ProgressWindow::examMoment() const
{
    return m_moment->dateTime().toUTC();
}

void ProgressWindow::showExamMoment()
{
    // The remembered moment while it is ahead, else 24 hours from now, saying so.
    const QDateTime now = m_now();
    const forecast::ExamMoment moment =
        forecast::examMoment(m_pool ? m_store.examMoment(m_key) : std::nullopt, now);
    const QSignalBlocker block(m_moment);
    m_moment->setMinimumDateTime(now.toLocalTime());
    m_moment->setDateTime(moment.at.toLocalTime());
    if (moment.passed)
        m_momentNote->setText(tr("Your exam day, %1, has passed; showing tomorrow")
                                  .arg(QLocale().toString(moment.passed->toLocalTime(), momentFormat)));
    m_momentNote->setVisible(moment.passed.has_value());
}

void ProgressWindow::examMomentChanged()
{
    m_momentNote->hide();
    updateChance();
    if (m_pool)
        m_store.setExamMoment(m_key, m_moment->dateTime().toUTC());
}

QString ProgressWindow::exportCsv(const QString &path)
{
    // Read in batches under a progress dialog, so a large store neither freezes the window
    // nor ends in a file that holds only part of it: the file is written once, whole.
    QProgressDialog progress(tr("Exporting the recorded answers..."), tr("Cancel"), 0, 0, this);
    progress.setWindowTitle(tr("Export CSV"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    QByteArray bytes = progress::csvHeader();
    qint64 done = 0;
    const auto toInt = [](qint64 n) { return int(std::min<qint64>(n, std::numeric_limits<int>::max())); };
    const bool read = m_store.readAllAnswers(
        [&](const QList<progress::AnswerRecord> &batch) {
            bytes += progress::csvRows(batch);
            done += batch.size();
            if (progress.maximum() > 0)
                progress.setValue(toInt(std::min<qint64>(done, progress.maximum())));
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        },
        [&](qint64 total) { progress.setMaximum(total > 0 ? toInt(total) : 0); });
    if (progress.wasCanceled())
        return tr("The export was cancelled; nothing was written.");
    if (!read)
        return tr("The answers could not be read, so nothing was written. %1").arg(m_store.readFault());
    progress.setLabelText(tr("Writing %1...").arg(QDir::toNativeSeparators(path)));
    if (const QString error = textio::replaceFile(path, bytes); !error.isEmpty())
        return tr("The answers could not be written to %1: %2").arg(QDir::toNativeSeparators(path), error);
    m_exportedAnswers = done;
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
    else
        showExported(int(std::min<qint64>(m_exportedAnswers, std::numeric_limits<int>::max())), path);
}

void ProgressWindow::forgetPool()
{
    if (!m_pool)
        return;
    const QString question = tr("Forget every recorded answer, practice exam and the exam day of %1? "
                                "This cannot be undone.")
                                 .arg(poolName());
    if (!m_confirm(question))
        return;
    if (!m_store.forget(m_key))
        QMessageBox::warning(this, windowTitle(), m_store.problem().message);
    refresh();
}

QString ProgressWindow::selectedSubelement() const
{
    const QList<QTableWidgetItem *> items = m_table->selectedItems();
    // Without a selection, the focused cell's row.
    const int row = items.isEmpty() ? m_table->currentRow() : items.front()->row();
    return row >= 0 && row < m_summary.subelements.size() ? m_summary.subelements[row].id : QString();
}

void ProgressWindow::requestDrill()
{
    if (const QString id = selectedSubelement(); !id.isEmpty())
        Q_EMIT drillRequested(id);
}

int rememberedReviewCount(const QString &poolKey)
{
    return std::clamp(QSettings().value(reviewCountKey(poolKey), 20).toInt(), 5, 100);
}

void rememberReviewCount(const QString &poolKey, int count)
{
    QSettings().setValue(reviewCountKey(poolKey), count);
}

} // namespace progresswindow
