#include "questions/exam_rules.h"

#include "questions/pool.h"

namespace questions {

bool isNcvecId(QStringView id)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return id.size() == 5 && (id[0] == u'T' || id[0] == u'G' || id[0] == u'E') && digit(id[1]) &&
           id[2] >= u'A' && id[2] <= u'Z' && digit(id[3]) && digit(id[4]);
}

QString subelementOf(QStringView id)
{
    return isNcvecId(id) ? id.left(2).toString() : QString();
}

QString groupOf(QStringView id)
{
    return isNcvecId(id) ? id.left(3).toString() : QString();
}

std::optional<ExamRules> examRulesFor(QChar element)
{
    // The exams as the examiners give them: one question from each group.
    switch (element.unicode()) {
    case u'T':
        return ExamRules{element, QStringLiteral("Technician"), 35, 26};
    case u'G':
        return ExamRules{element, QStringLiteral("General"), 35, 26};
    case u'E':
        return ExamRules{element, QStringLiteral("Extra"), 50, 37};
    default:
        return std::nullopt;
    }
}

QChar examElementOf(const Pool &pool)
{
    // The groups the questions' identifiers name, whether or not the pool has been indexed.
    QChar element;
    for (const Question &q : pool.questions) {
        if (!isNcvecId(q.id()))
            continue;
        if (element.isNull())
            element = q.id().front();
        else if (q.id().front() != element)
            return {};
    }
    return element;
}

std::optional<ExamRules> examRulesFor(const Pool &pool)
{
    const QChar element = examElementOf(pool);
    return element.isNull() ? std::nullopt : examRulesFor(element);
}

} // namespace questions
