#include "examwindow/result_page.h"

#include "questions/pool.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace examwindow {

namespace {

constexpr int kMissedRole = Qt::UserRole + 1;

// The pool's choice `letter` as it was shown: its shown letter and its text.
QString choiceText(const questions::Question &q, QChar letter, const exam::ChoiceOrder &order)
{
    const int i = letter.unicode() - u'A';
    return i >= 0 && i < 4
               ? QString(exam::shownLetter(order, letter)) + QStringLiteral(": ") + q.choice(i).toString()
               : QString();
}

// A heading, not a text field: no caret, no selection. A screen reader reads it as a label.
QLabel *plainLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

ResultPage::ResultPage(QWidget *parent)
    : QWidget(parent), m_summary(plainLabel(this)), m_details(plainLabel(this)),
      m_table(new QTableWidget(this)), m_missedOnly(new QCheckBox(QStringLiteral("&Missed only"), this)),
      m_review(new QListWidget(this)), m_close(new QPushButton(QStringLiteral("&Close"), this))
{
    m_summary->setObjectName(QStringLiteral("summary"));
    QFont big = m_summary->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_summary->setFont(big);

    m_table->setObjectName(QStringLiteral("bySubelement"));
    m_table->setAccessibleName(QStringLiteral("Right answers by subelement"));
    m_table->setColumnCount(3);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Subelement"), QStringLiteral("Right"), QStringLiteral("Of")});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);

    m_review->setObjectName(QStringLiteral("review"));
    m_review->setAccessibleName(QStringLiteral("Review of every question"));
    m_review->setWordWrap(true);
    m_review->setAlternatingRowColors(true);
    m_review->setTextElideMode(Qt::ElideNone);
    m_missedOnly->setObjectName(QStringLiteral("missedOnly"));
    connect(m_missedOnly, &QCheckBox::toggled, this, [this] { applyFilter(); });
    m_close->setObjectName(QStringLiteral("closeResult"));
    connect(m_close, &QPushButton::clicked, this, [this] { window()->close(); });

    auto *reviewHeader = new QHBoxLayout;
    auto *reviewTitle = new QLabel(QStringLiteral("Review:"), this);
    reviewHeader->addWidget(reviewTitle);
    reviewHeader->addStretch();
    reviewHeader->addWidget(m_missedOnly);

    auto *buttons = m_buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_details);
    layout->addWidget(m_table);
    layout->addLayout(reviewHeader);
    layout->addWidget(m_review, 1);
    layout->addLayout(buttons);
}

void ResultPage::show(const QString &summary, const QStringList &details,
                      const QList<exam::SubelementScore> &bySubelement, const questions::Pool &pool,
                      const QList<int> &questionIndices, const QList<QChar> &chosen,
                      const QList<exam::ChoiceOrder> &orders)
{
    m_summary->setText(summary);
    m_details->setText(details.join(u'\n'));
    // The whole outcome as one description, so a screen reader gives it on reaching the headline.
    m_summary->setAccessibleName(summary);
    m_summary->setAccessibleDescription(details.join(u' '));

    m_table->setVisible(!bySubelement.isEmpty());
    m_table->setRowCount(int(bySubelement.size()));
    for (int row = 0; row < bySubelement.size(); ++row) {
        const exam::SubelementScore &s = bySubelement[row];
        const QString name = s.title == s.id ? s.id : s.id + QStringLiteral(" ") + s.title;
        m_table->setItem(row, 0, new QTableWidgetItem(name));
        m_table->setItem(row, 1, new QTableWidgetItem(QString::number(s.right)));
        m_table->setItem(row, 2, new QTableWidgetItem(QString::number(s.total)));
    }
    m_table->resizeColumnsToContents();
    // Tall enough for every subelement (ten at most in a pool) where the screen allows; on a
    // small one it scrolls from three rows up, and the review takes the rest.
    m_table->resizeRowsToContents();
    const int header = m_table->horizontalHeader()->sizeHint().height() + 2 * m_table->frameWidth();
    m_table->setMaximumHeight(header + m_table->verticalHeader()->length());
    m_table->setMinimumHeight(header + 3 * m_table->verticalHeader()->defaultSectionSize());

    m_review->clear();
    for (int i = 0; i < questionIndices.size(); ++i) {
        const questions::Question &q = pool.questions[questionIndices[i]];
        const exam::ChoiceOrder &order = i < orders.size() ? orders[i] : exam::kPoolOrder;
        const QChar answer = chosen[i];
        const bool right = !answer.isNull() && answer == q.correct();
        const QString mark = right             ? QStringLiteral("right")
                             : answer.isNull() ? QStringLiteral("missed, not answered")
                                               : QStringLiteral("missed");
        QStringList lines{QStringLiteral("%1. %2 (%3)").arg(i + 1).arg(q.id(), mark), q.text().toString()};
        if (right) {
            lines.append(QStringLiteral("Your answer, correct: ") + choiceText(q, answer, order));
        } else {
            if (!answer.isNull())
                lines.append(QStringLiteral("Your answer: ") + choiceText(q, answer, order));
            lines.append(QStringLiteral("Correct answer: ") + choiceText(q, q.correct(), order));
        }
        auto *item = new QListWidgetItem(lines.join(u'\n'), m_review);
        item->setData(kMissedRole, !right);
        if (!right)
            item->setForeground(QColor(0xb0, 0x00, 0x20));
    }
    applyFilter();
}

QPushButton *ResultPage::addAction(const QString &text)
{
    auto *button = new QPushButton(text, this);
    m_buttons->insertWidget(m_buttons->indexOf(m_close), button);
    return button;
}

void ResultPage::applyFilter()
{
    const bool missedOnly = m_missedOnly->isChecked();
    for (int i = 0; i < m_review->count(); ++i) {
        QListWidgetItem *item = m_review->item(i);
        item->setHidden(missedOnly && !item->data(kMissedRole).toBool());
    }
}

} // namespace examwindow
