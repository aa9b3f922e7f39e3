#pragma once
// The page shown after hand-in (or at the end of a drill): the outcome in words, right/total
// per subelement, and a review of every question with the chosen and the correct answer.

#include "exam/result.h"
#include "exam/shuffle.h"

#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace questions {
class Pool;
}

namespace examwindow {

class ResultPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultPage)

public:
    explicit ResultPage(QWidget *parent = nullptr);

    // summary is the headline ("28 of 35: passed"); details follow it line by line.
    // An empty bySubelement hides the table. The review shows each question's choices in
    // the order they were shown (`orders`, the pool's order when empty).
    void show(const QString &summary, const QStringList &details,
              const QList<exam::SubelementScore> &bySubelement, const questions::Pool &pool,
              const QList<int> &questionIndices, const QList<QChar> &chosen,
              const QList<exam::ChoiceOrder> &orders = {});

    QLabel *summaryLabel() const { return m_summary; }
    QLabel *detailsLabel() const { return m_details; }
    QTableWidget *subelementTable() const { return m_table; }
    QListWidget *review() const { return m_review; }
    QCheckBox *missedOnly() const { return m_missedOnly; }
    QPushButton *closeButton() const { return m_close; }
    // A button in the row beside Close, before it.
    QPushButton *addAction(const QString &text);

private:
    void applyFilter();

    QLabel *m_summary;
    QLabel *m_details;
    QTableWidget *m_table;
    QCheckBox *m_missedOnly;
    QListWidget *m_review;
    QPushButton *m_close;
    QHBoxLayout *m_buttons = nullptr;
};

} // namespace examwindow
