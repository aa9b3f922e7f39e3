#include "forecast/exam_day.h"

#include "questions/exam_rules.h"

namespace forecast {

QList<QList<double>> groupChances(const QStringList &questionIds,
                                  const QHash<QString, QList<Review>> &reviewsByQuestion,
                                  const QDateTime &when)
{
    QList<QList<double>> groups;
    QHash<QString, qsizetype> index;
    for (const QString &id : questionIds) {
        const QString group = questions::groupOf(id);
        if (group.isEmpty())
            continue;
        auto slot = index.constFind(group);
        if (slot == index.cend()) {
            slot = index.insert(group, groups.size());
            groups.emplaceBack();
        }
        const auto reviews = reviewsByQuestion.constFind(id);
        groups[*slot].append(reviews == reviewsByQuestion.cend() ? 0.25 : answerChance(*reviews, when));
    }
    return groups;
}

ExamForecast forecastExamDay(const QStringList &questionIds,
                             const QHash<QString, QList<Review>> &reviewsByQuestion, int passMark,
                             const QDateTime &when)
{
    return forecastExam(groupChances(questionIds, reviewsByQuestion, when), passMark);
}

} // namespace forecast
