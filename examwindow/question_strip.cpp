#include "examwindow/question_strip.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

namespace examwindow {

namespace {

const QChar kTick(0x2713);

} // namespace

QString QuestionStrip::legend()
{
    return QCoreApplication::translate(
               "examwindow::QuestionStrip",
               "%1 and bold: answered.  Plain: not answered.  Underlined: on display.")
        .arg(cellText(6, true));
}

QString QuestionStrip::cellText(int position, bool answered)
{
    return answered ? QString(kTick) + QString::number(position + 1) : QString::number(position + 1);
}

QuestionStrip::QuestionStrip(int count, QWidget *parent) : QWidget(parent), m_answered(count, false)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    // Two rows when they fit across the screen (18 and 17 cells for 35 questions, 25 and 25
    // for 50), more on a narrow screen.
    QFont bold = font();
    bold.setBold(true);
    const int cellWidth = QFontMetrics(bold).horizontalAdvance(cellText(87, true)) + 10;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int across = screen ? (screen->availableGeometry().width() - 60) / (cellWidth + 2) : count;
    m_columns = qMax(1, qMin((count + 1) / 2, across));
    for (int i = 0; i < count; ++i) {
        auto *cell = new QToolButton(this);
        cell->setObjectName(QStringLiteral("cell%1").arg(i + 1));
        cell->setCheckable(true); // checked = answered, which styles and reports it
        cell->setFocusPolicy(Qt::StrongFocus);
        cell->setMinimumWidth(cellWidth);
        cell->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(cell, &QToolButton::clicked, this, [this, i] {
            // The cell's tick follows the answer, not the click.
            m_cells[i]->setChecked(m_answered[i]);
            Q_EMIT jumpRequested(i);
        });
        grid->addWidget(cell, i / m_columns, i % m_columns);
        m_cells.append(cell);
        mark(i);
    }
}

void QuestionStrip::setAnswered(int position, bool answered)
{
    m_answered[position] = answered;
    mark(position);
}

void QuestionStrip::setCurrent(int position)
{
    const int previous = m_current;
    m_current = position;
    if (previous >= 0 && previous < m_cells.size())
        mark(previous);
    mark(position);
}

void QuestionStrip::mark(int position)
{
    QToolButton *cell = m_cells[position];
    const bool answered = m_answered[position];
    cell->setChecked(answered);
    cell->setText(cellText(position, answered));
    QFont font = cell->font();
    font.setBold(answered);
    font.setUnderline(position == m_current);
    cell->setFont(font);
    describe(position);
}

void QuestionStrip::describe(int position)
{
    QString name =
        QStringLiteral("Question %1, %2")
            .arg(position + 1)
            .arg(m_answered[position] ? QStringLiteral("answered") : QStringLiteral("not answered"));
    if (position == m_current)
        name += QStringLiteral(", on display");
    m_cells[position]->setAccessibleName(name);
    m_cells[position]->setToolTip(name);
}

} // namespace examwindow
