#pragma once
// What happens during a sitting, without any widget: the exam session keeps the chosen
// answers, which question is on display and whether the exam has been handed in; the drill
// session keeps the first attempt at each question of a subelement.

#include "exam/result.h"

#include <QDateTime>
#include <QList>

#include <optional>

namespace questions {
class Pool;
}

namespace exam {

class ExamSession final
{
public:
    ExamSession(questions::ExamRules rules, QList<int> questions, QDateTime startedAt);

    const questions::ExamRules &rules() const { return m_rules; }
    int count() const { return int(m_questions.size()); }
    int current() const { return m_current; }
    int questionAt(int position) const { return m_questions[position]; }
    QChar chosen(int position) const { return m_chosen[position]; }
    int unanswered() const;
    bool handedIn() const { return m_handedIn; }
    QDateTime startedAt() const { return m_startedAt; }

    // Choosing changes the answer to the question on display until the exam is handed in.
    void choose(QChar letter);
    // Moves stop at the first and last question.
    void goTo(int position);
    void next() { goTo(m_current + 1); }
    void previous() { goTo(m_current - 1); }

    ExamResult handIn(const questions::Pool &pool, const QDateTime &finishedAt);

private:
    questions::ExamRules m_rules;
    QList<int> m_questions;
    QList<QChar> m_chosen;
    QDateTime m_startedAt;
    int m_current = 0;
    bool m_handedIn = false;
};

class DrillSession final
{
public:
    DrillSession(QString subelement, QList<int> order);

    const QString &subelement() const { return m_subelement; }
    int count() const { return int(m_order.size()); }
    int current() const { return m_current; }
    int questionAt(int position) const { return m_order[position]; }
    // The first answer given to the question at position, if any.
    QChar firstAnswer(int position) const { return m_first[position]; }
    int attempted() const;
    int rightFirstTime(const questions::Pool &pool) const;

    // Records the first attempt at the question on display; returns true when this was it.
    bool attempt(QChar letter);
    void goTo(int position);
    void next() { goTo(m_current + 1); }
    void previous() { goTo(m_current - 1); }

private:
    QString m_subelement;
    QList<int> m_order;
    QList<QChar> m_first;
    int m_current = 0;
};

} // namespace exam
