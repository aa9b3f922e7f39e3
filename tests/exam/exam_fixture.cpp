#include "tests/exam/exam_fixture.h"

namespace examtest {

void regroup(questions::Pool &pool)
{
    pool.index();
    for (questions::Subelement &s : pool.subelements)
        s.title = QStringLiteral("Title of ") + s.id;
}

questions::Pool makePool(QChar element, const QList<int> &groupSizes)
{
    questions::Pool pool;
    pool.title = QStringLiteral("Test pool");
    pool.effective = QStringLiteral("7/1/2026 - 6/30/2030");
    for (int g = 0; g < groupSizes.size(); ++g) {
        const QString group = QString(element) + QChar(u'0' + (g / 5 + 1) % 10) + QChar(u'A' + g % 5);
        for (int n = 1; n <= groupSizes[g]; ++n) {
            questions::Question q;
            q.id = group + QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
            q.group = group;
            q.subelement = group.left(2);
            q.correct = u'A';
            q.text = QStringLiteral("Question ") + q.id;
            for (int c = 0; c < 4; ++c)
                q.choices[std::size_t(c)] = QStringLiteral("Choice %1 of %2").arg(QChar(u'A' + c)).arg(q.id);
            pool.questions.append(q);
        }
    }
    regroup(pool);
    return pool;
}

questions::Pool makePool(QChar element, int groups, int perGroup)
{
    return makePool(element, QList<int>(groups, perGroup));
}

} // namespace examtest
