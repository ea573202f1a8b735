#include "window/fonts.h"

#include <QStringList>

namespace vorlen {

void installFontSubstitutes()
{
    for (const FontSubstitute& entry : fontSubstitutes) {
        QFont::insertSubstitution(QString::fromLatin1(entry.family), QString::fromLatin1(entry.substitute));
    }
}

QFont toQFont(const design::Font& font)
{
    const QString family = QString::fromUtf8(font.family.data(), static_cast<qsizetype>(font.family.size()));
    // The installed face comes first and the design's face after it: Qt takes
    // the first family it has, so a face that is not installed is never
    // searched for among all the installed ones, which costs start-up time.
    QStringList families;
    for (const FontSubstitute& entry : fontSubstitutes) {
        if (family == QLatin1String(entry.family)) {
            families << QString::fromLatin1(entry.substitute);
        }
    }
    families << family;
    QFont result;
    result.setFamilies(families);
    result.setPointSizeF(font.points);
    result.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    return result;
}

} // namespace vorlen
