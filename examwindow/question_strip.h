#pragma once
// A strip of numbered cells, one per question: it shows which are answered and which is on
// display, and a click (or Space on a focused cell) jumps to that question.

#include <QList>
#include <QWidget>

class QToolButton;

namespace examwindow {

class QuestionStrip final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QuestionStrip)

public:
    explicit QuestionStrip(int count, QWidget *parent = nullptr);

    void setAnswered(int position, bool answered);
    void setCurrent(int position);
    QToolButton *cell(int position) const { return m_cells[position]; }

Q_SIGNALS:
    void jumpRequested(int position);

private:
    void describe(int position);

    QList<QToolButton *> m_cells;
    QList<bool> m_answered;
    int m_current = -1;
};

} // namespace examwindow
