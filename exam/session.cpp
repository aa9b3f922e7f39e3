#include "exam/session.h"

#include "questions/pool.h"

#include <algorithm>

namespace exam {

namespace {
bool isChoice(QChar letter)
{
    return letter >= u'A' && letter <= u'D';
}
} // namespace

ExamSession::ExamSession(questions::ExamRules rules, QList<int> questions, QDateTime startedAt)
    : m_rules(std::move(rules)), m_questions(std::move(questions)), m_chosen(m_questions.size()),
      m_startedAt(std::move(startedAt))
{
}

int ExamSession::unanswered() const
{
    return int(std::count_if(m_chosen.begin(), m_chosen.end(), [](QChar c) { return c.isNull(); }));
}

void ExamSession::choose(QChar letter)
{
    if (!m_handedIn && isChoice(letter) && !m_questions.isEmpty())
        m_chosen[m_current] = letter;
}

void ExamSession::goTo(int position)
{
    if (!m_questions.isEmpty())
        m_current = std::clamp(position, 0, count() - 1);
}

ExamResult ExamSession::handIn(const questions::Pool &pool, const QDateTime &finishedAt)
{
    m_handedIn = true;
    ExamResult result = gradeExam(pool, m_rules, m_questions, m_chosen);
    result.startedAt = m_startedAt;
    result.finishedAt = finishedAt;
    return result;
}

DrillSession::DrillSession(QString subelement, QList<int> order)
    : m_subelement(std::move(subelement)), m_order(std::move(order)), m_first(m_order.size())
{
}

int DrillSession::attempted() const
{
    return int(std::count_if(m_first.begin(), m_first.end(), [](QChar c) { return !c.isNull(); }));
}

int DrillSession::rightFirstTime(const questions::Pool &pool) const
{
    int right = 0;
    for (int i = 0; i < count(); ++i)
        right += !m_first[i].isNull() && m_first[i] == pool.questions[m_order[i]].correct() ? 1 : 0;
    return right;
}

bool DrillSession::attempt(QChar letter)
{
    if (m_order.isEmpty() || !isChoice(letter) || !m_first[m_current].isNull())
        return false;
    m_first[m_current] = letter;
    return true;
}

void DrillSession::goTo(int position)
{
    if (!m_order.isEmpty())
        m_current = std::clamp(position, 0, count() - 1);
}

} // namespace exam
