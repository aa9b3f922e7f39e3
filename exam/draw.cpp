#include "exam/draw.h"

#include "questions/pool.h"

#include <QRandomGenerator>

namespace exam {

namespace {

bool isGroupId(QStringView id)
{
    return id.size() == 3 && questions::isNcvecId(id.toString() + QStringLiteral("01"));
}

QString reasonPrefix()
{
    return QStringLiteral("No practice exam can be made from this pool: ");
}

} // namespace

bool isAskable(const questions::Pool &pool, int index)
{
    if (index < 0 || index >= pool.questions.size())
        return false;
    const questions::Question &q = pool.questions[index];
    return questions::isNcvecId(q.id()) && q.correct() >= u'A' && q.correct() <= u'D';
}

PlanOutcome planExam(const questions::Pool &pool)
{
    const auto fail = [](const QString &why) { return PlanOutcome{std::nullopt, reasonPrefix() + why}; };
    if (pool.questions.isEmpty())
        return fail(QStringLiteral("it holds no questions."));

    QString letters;
    QList<const questions::Group *> groups;
    for (const questions::Group &group : pool.groups) {
        if (!isGroupId(group.id))
            continue; // questions without an NCVEC identifier belong to no exam group
        groups.append(&group);
        if (!letters.contains(group.id[0]))
            letters.append(group.id[0]);
    }
    if (letters.isEmpty())
        return fail(QStringLiteral("no question identifier has the NCVEC form (such as T1A01), so "
                                   "the questions cannot be sorted into groups."));
    if (letters.size() > 1) {
        QStringList names;
        for (QChar c : letters)
            names.append(QString(c));
        return fail(QStringLiteral("its identifiers name more than one element (%1); an exam draws "
                                   "from one element's pool.")
                        .arg(names.join(QStringLiteral(", "))));
    }

    const questions::ExamRules rules = *questions::examRulesFor(letters[0]);
    if (groups.size() != rules.questions)
        return fail(
            QStringLiteral("a %1 exam takes one question from each of %2 groups, and this pool "
                           "has %3 %4 (%5 %6).")
                .arg(rules.className)
                .arg(rules.questions)
                .arg(groups.size())
                .arg(groups.size() == 1 ? QStringLiteral("group") : QStringLiteral("groups"))
                .arg(pool.questions.size())
                .arg(pool.questions.size() == 1 ? QStringLiteral("question") : QStringLiteral("questions")));

    ExamPlan plan{rules, {}};
    plan.groups.reserve(groups.size());
    for (const questions::Group *group : groups) {
        QList<int> askable;
        for (int index : group->questions)
            if (isAskable(pool, index) && pool.questions[index].id().startsWith(group->id))
                askable.append(index);
        if (askable.isEmpty())
            return fail(QStringLiteral("group %1 has no question that can be asked (each needs an "
                                       "identifier such as %2 and an answer mark from (A) to (D)).")
                            .arg(group->id, group->id + QStringLiteral("01")));
        plan.groups.append(askable);
    }
    return PlanOutcome{std::move(plan), {}};
}

QList<int> drawExam(const ExamPlan &plan, QRandomGenerator &random)
{
    QList<int> drawn;
    drawn.reserve(plan.groups.size());
    for (const QList<int> &group : plan.groups)
        drawn.append(group[int(random.bounded(quint32(group.size())))]);
    return drawn;
}

QList<int> drillOrder(const questions::Pool &pool, QStringView subelement, QRandomGenerator &random)
{
    QList<int> order;
    for (int i = 0; i < pool.questions.size(); ++i)
        if (isAskable(pool, i) && pool.questions[i].subelement() == subelement)
            order.append(i);
    // Fisher-Yates: every order equally likely.
    for (qsizetype i = order.size() - 1; i > 0; --i)
        order.swapItemsAt(i, qsizetype(random.bounded(quint32(i + 1))));
    return order;
}

} // namespace exam
