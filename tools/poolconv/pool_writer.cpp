#include "tools/poolconv/pool_writer.h"

#include "textio/file_writer.h"

namespace poolconv {

QString defaultTitle(QChar element)
{
    switch (element.unicode()) {
    case u'T':
        return QStringLiteral("Technician Pool (Element 2)");
    case u'G':
        return QStringLiteral("General Pool (Element 3)");
    case u'E':
        return QStringLiteral("Extra Pool (Element 4)");
    default:
        return {};
    }
}

QString headerProblem(const PoolHeader &header)
{
    const std::array<std::pair<const QString *, const char *>, 3> fields{
        {{&header.title, "title"}, {&header.effective, "effective dates"}, {&header.source, "source"}}};
    for (const auto &[value, name] : fields) {
        // A quoted field ends at the next double quote; a line end would shift every record.
        if (value->isEmpty())
            return QStringLiteral("the %1 is empty").arg(QLatin1String(name));
        if (value->contains(u'"') || value->contains(u'\r') || value->contains(u'\n'))
            return QStringLiteral("the %1 may not hold a double quote or a line end")
                .arg(QLatin1String(name));
        // An escape or a bell would reach every terminal that shows the pool's header.
        for (const QChar ch : *value) {
            if (ch.category() == QChar::Other_Control)
                return QStringLiteral("the %1 may not hold a control character (U+%2)")
                    .arg(QLatin1String(name),
                         QStringLiteral("%1").arg(uint(ch.unicode()), 4, 16, QLatin1Char('0')).toUpper());
        }
    }
    return {};
}

QByteArray formatPool(const PoolHeader &header, const QList<Question> &questions)
{
    static const std::array<QString, 4> prefixes{QStringLiteral("A.  "), QStringLiteral("B.  "),
                                                 QStringLiteral("C.  "), QStringLiteral("D.  ")};
    QString out;
    out.reserve(qsizetype(questions.size()) * 400);
    const auto line = [&out](const QString &text) { out += text + QStringLiteral("\r\n"); };
    line(u'"' + header.title + QStringLiteral("\",\"") + header.effective + QStringLiteral("\",\"") +
         header.source + u'"');
    for (const Question &q : questions) {
        line(q.idLine);
        line(q.question);
        for (std::size_t c = 0; c < 4; ++c)
            line(prefixes[c] + q.choices[c]);
        line(QStringLiteral("~~"));
    }
    return out.toUtf8();
}

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    return textio::replaceFile(path, bytes);
}

} // namespace poolconv
