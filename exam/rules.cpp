#include "exam/rules.h"

#include "forecast/pass_chance.h"

namespace exam {

std::optional<ExamRules> rulesFor(QChar element)
{
    // Sizes and pass marks come from the forecast's table, so the two never disagree.
    QString name;
    switch (element.unicode()) {
    case u'T':
        name = QStringLiteral("Technician");
        break;
    case u'G':
        name = QStringLiteral("General");
        break;
    case u'E':
        name = QStringLiteral("Extra");
        break;
    default:
        return std::nullopt;
    }
    return ExamRules{element, name, forecast::examQuestionsFor(element), forecast::passMarkFor(element)};
}

bool isNcvecId(QStringView id)
{
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return id.size() == 5 && (id[0] == u'T' || id[0] == u'G' || id[0] == u'E') && isDigit(id[1]) &&
           id[2] >= u'A' && id[2] <= u'Z' && isDigit(id[3]) && isDigit(id[4]);
}

} // namespace exam
