#include "forecast/exam_day.h"

namespace forecast {

QString groupOf(const QString &questionId)
{
    return questionId.size() > 2 ? questionId.left(questionId.size() - 2) : questionId;
}

QList<QList<double>> groupChances(const QStringList &questionIds,
                                  const QHash<QString, QList<Review>> &reviewsByQuestion,
                                  const QDateTime &when)
{
    QList<QList<double>> groups;
    QHash<QString, qsizetype> index;
    for (const QString &id : questionIds) {
        const QString group = groupOf(id);
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
                             const QHash<QString, QList<Review>> &reviewsByQuestion, QChar element,
                             const QDateTime &when)
{
    return forecastExam(groupChances(questionIds, reviewsByQuestion, when), passMarkFor(element));
}

} // namespace forecast
