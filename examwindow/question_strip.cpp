#include "examwindow/question_strip.h"

#include <QGridLayout>
#include <QToolButton>

namespace examwindow {

QuestionStrip::QuestionStrip(int count, QWidget *parent) : QWidget(parent), m_answered(count, false)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    // Two rows at most: 18 and 17 cells for 35 questions, 25 and 25 for 50.
    const int columns = qMax(1, (count + 1) / 2);
    for (int i = 0; i < count; ++i) {
        auto *cell = new QToolButton(this);
        cell->setObjectName(QStringLiteral("cell%1").arg(i + 1));
        cell->setText(QString::number(i + 1));
        cell->setCheckable(true); // checked = answered, which styles and reports it
        cell->setFocusPolicy(Qt::StrongFocus);
        cell->setMinimumWidth(cell->fontMetrics().horizontalAdvance(QStringLiteral("88")) + 10);
        cell->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(cell, &QToolButton::clicked, this, [this, i] {
            // The cell's tick follows the answer, not the click.
            m_cells[i]->setChecked(m_answered[i]);
            Q_EMIT jumpRequested(i);
        });
        grid->addWidget(cell, i / columns, i % columns);
        m_cells.append(cell);
        describe(i);
    }
}

void QuestionStrip::setAnswered(int position, bool answered)
{
    m_answered[position] = answered;
    m_cells[position]->setChecked(answered);
    describe(position);
}

void QuestionStrip::setCurrent(int position)
{
    const int previous = m_current;
    m_current = position;
    if (previous >= 0 && previous < m_cells.size()) {
        QFont font = m_cells[previous]->font();
        font.setBold(false);
        font.setUnderline(false);
        m_cells[previous]->setFont(font);
        describe(previous);
    }
    QFont font = m_cells[position]->font();
    font.setBold(true);
    font.setUnderline(true);
    m_cells[position]->setFont(font);
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
