#include "tests/exam/exam_fixture.h"

#include "tests/pool_text.h"

namespace examtest {

questions::Pool makePool(QChar element, const QList<int> &groupSizes, const RecordEdit &edit,
                         const QList<QByteArray> &choices)
{
    QByteArray text = "\"Test pool\",\"7/1/2026 - 6/30/2030\",\"x\"\r\n";
    int index = 0;
    for (int g = 0; g < groupSizes.size(); ++g) {
        const QByteArray group =
            QByteArray(1, char(element.unicode())) + char('0' + (g / 5 + 1) % 10) + char('A' + g % 5);
        for (int n = 1; n <= groupSizes[g]; ++n, ++index) {
            const QByteArray id = group + QByteArray::number(n).rightJustified(2, '0');
            QByteArray line0 = id + " (A)";
            QByteArray question = "Question " + id;
            if (edit)
                edit(index, line0, question);
            QList<QByteArray> named = choices;
            if (named.isEmpty())
                for (char c : {'A', 'B', 'C', 'D'})
                    named << "Choice " + QByteArray(1, c) + " of " + id;
            text += testing::record(line0, question, named);
        }
    }
    questions::Pool pool = questions::parsePool(text).pool;
    for (questions::Subelement &s : pool.subelements)
        s.title = QStringLiteral("Title of ") + s.id;
    return pool;
}

questions::Pool makePool(QChar element, int groups, int perGroup, const RecordEdit &edit,
                         const QList<QByteArray> &choices)
{
    return makePool(element, QList<int>(groups, perGroup), edit, choices);
}

} // namespace examtest
