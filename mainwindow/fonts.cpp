#include "mainwindow/fonts.h"

#include <QFont>
#include <QStringList>

namespace mainwindow {

void installFontSubstitutions()
{
    // Qt tries a family's substitutes in order, and only when the family itself is missing.
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Narrow"),
                               {QStringLiteral("Liberation Sans Narrow"),
                                QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
    // MS Sans Serif is close to Arial in width, which keeps long choices inside their boxes.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    // MS Serif, the small captions' bitmap face, is far narrower than any installed serif:
    // only a narrow face keeps "Auto Advance" inside its box on a 640 x 480 screen.
    QFont::insertSubstitutions(QStringLiteral("MS Serif"), {QStringLiteral("Liberation Sans Narrow"),
                                                            QStringLiteral("DejaVu Serif Condensed"),
                                                            QStringLiteral("Liberation Serif")});
}

} // namespace mainwindow
