#include "exam/rules.h"

namespace exam {

std::optional<ExamRules> rulesFor(QChar element)
{
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

bool isNcvecId(QStringView id)
{
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return id.size() == 5 && (id[0] == u'T' || id[0] == u'G' || id[0] == u'E') && isDigit(id[1]) &&
           id[2] >= u'A' && id[2] <= u'Z' && isDigit(id[3]) && isDigit(id[4]);
}

} // namespace exam
