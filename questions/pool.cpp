// The pool's look-up, its groups and subelements, and the names derived from them.
#include "questions/pool.h"

#include <QRegularExpression>

namespace questions {

const Question *Pool::find(QStringView id) const
{
    const int i = indexOf(id);
    return i < 0 ? nullptr : &questions[i];
}

int Pool::indexOf(QStringView id) const
{
    const auto it = m_byId.constFind(id);
    return it == m_byId.cend() ? -1 : *it;
}

QString Pool::element() const
{
    QString letter;
    for (const Question &q : questions) {
        if (q.group().isEmpty())
            continue;
        if (letter.isEmpty())
            letter = q.group().first(1).toString();
        else if (q.group()[0] != letter[0])
            return {};
    }
    return letter;
}

QString Pool::key() const
{
    static const QRegularExpression yearPattern(QStringLiteral("(?<![0-9])(?:19|20)[0-9]{2}(?![0-9])"));
    QStringList years;
    for (QRegularExpressionMatchIterator it = yearPattern.globalMatch(effective); it.hasNext();)
        years.append(it.next().captured());
    QStringList parts;
    if (const QString letter = element(); !letter.isEmpty())
        parts.append(letter);
    if (!years.isEmpty())
        parts.append(years.size() == 1 ? years.first() : years.first() + u'-' + years.last());
    return parts.join(u' ');
}

void Pool::index()
{
    // Titles and exam sizes given earlier (by a table of contents) survive the rebuild.
    QHash<QString, QString> titles;
    QHash<QString, int> examQuestions;
    for (const Group &g : std::as_const(groups))
        titles.insert(g.id, g.title);
    for (const Subelement &s : std::as_const(subelements)) {
        titles.insert(s.id, s.title);
        examQuestions.insert(s.id, s.examQuestions);
    }

    m_byId.clear();
    m_byId.reserve(questions.size());
    // Backwards, so that of duplicates the first in the file is the one found.
    for (qsizetype i = questions.size() - 1; i >= 0; --i)
        if (!questions[i].id().isEmpty())
            m_byId.insert(questions[i].id(), int(i));
    groups.clear();
    subelements.clear();
    QHash<QString, int> groupAt;
    QHash<QString, int> subelementAt;
    for (int i = 0; i < questions.size(); ++i) {
        const QStringView group = questions[i].group();
        if (group.isEmpty())
            continue;
        if (!groups.isEmpty() && groups.last().id == group) { // the usual case: the group goes on
            groups.last().questions.append(i);
            continue;
        }
        auto g = groupAt.constFind(group.toString());
        if (g == groupAt.cend()) {
            const QString subelement = questions[i].subelement().toString();
            auto s = subelementAt.constFind(subelement);
            if (s == subelementAt.cend()) {
                s = subelementAt.insert(subelement, int(subelements.size()));
                subelements.append(
                    {subelement, titles.value(subelement, subelement), {}, examQuestions.value(subelement)});
            }
            const QString id = group.toString();
            g = groupAt.insert(id, int(groups.size()));
            subelements[*s].groups.append(int(groups.size()));
            groups.append({id, titles.value(id, id), {}});
        }
        groups[*g].questions.append(i);
    }
}

} // namespace questions
