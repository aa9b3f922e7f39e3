#include "exam/result.h"

#include "questions/pool.h"

#include <algorithm>

namespace exam {

bool ExamResult::isRight(int position) const
{
    return position >= 0 && position < chosen.size() && !chosen[position].isNull() &&
           chosen[position] == correctAt[position];
}

QString ExamResult::summary() const
{
    return QStringLiteral("%1 of %2: %3")
        .arg(right)
        .arg(total())
        .arg(passed() ? QStringLiteral("passed") : QStringLiteral("failed"));
}

QString ExamResult::passMarkText() const
{
    return QStringLiteral("The pass mark is %1 of %2.").arg(rules.passMark).arg(rules.questions);
}

QString timeTakenText(const QDateTime &startedAt, const QDateTime &finishedAt)
{
    const qint64 seconds = qMax<qint64>(0, startedAt.secsTo(finishedAt));
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds % 3600 / 60;
    QString text = QStringLiteral("Time taken: ");
    if (hours > 0)
        text += QStringLiteral("%1 h ").arg(hours);
    if (hours > 0 || minutes > 0)
        text += QStringLiteral("%1 min ").arg(minutes);
    return text + QStringLiteral("%1 s").arg(seconds % 60);
}

ExamResult gradeExam(const questions::Pool &pool, const questions::ExamRules &rules,
                     const QList<int> &questions, const QList<QChar> &chosen)
{
    Q_ASSERT(chosen.size() == questions.size());
    ExamResult result;
    result.rules = rules;
    result.questions = questions;
    result.chosen = chosen;
    for (int position = 0; position < questions.size(); ++position) {
        const questions::Question &q = pool.questions[questions[position]];
        const bool right = !chosen[position].isNull() && chosen[position] == q.correct();
        result.correctAt.append(q.correct());
        if (right)
            ++result.right;

        const QString subelement = q.subelement().toString();
        auto score = std::find_if(result.bySubelement.begin(), result.bySubelement.end(),
                                  [&](const SubelementScore &s) { return s.id == subelement; });
        if (score == result.bySubelement.end()) {
            QString title = subelement;
            for (const questions::Subelement &s : pool.subelements)
                if (s.id == subelement)
                    title = s.title;
            result.bySubelement.append({subelement, title, 0, 0});
            score = result.bySubelement.end() - 1;
        }
        ++score->total;
        score->right += right ? 1 : 0;
    }
    return result;
}

} // namespace exam
