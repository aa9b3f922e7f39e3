#pragma once
// A strip of numbered cells, one per question: it shows which are answered and which is on
// display, and a click (or Space on a focused cell) jumps to that question. An answered cell
// carries a tick and bold figures, the one on display is underlined: marks that hold under
// any palette, not colour alone. As many rows as the screen's width needs, two at least.

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
    bool isAnswered(int position) const { return m_answered[position]; }
    int columns() const { return m_columns; }

    // The one line that explains the marks.
    static QString legend();
    // The text of a cell: its number, with a tick when answered.
    static QString cellText(int position, bool answered);

Q_SIGNALS:
    void jumpRequested(int position);

private:
    void describe(int position);
    void mark(int position);

    QList<QToolButton *> m_cells;
    QList<bool> m_answered;
    int m_current = -1;
    int m_columns = 1;
};

} // namespace examwindow
