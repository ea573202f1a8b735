#include "window/fonts.h"

namespace vorlen {

void installFontSubstitutes()
{
    for (const FontSubstitute& entry : fontSubstitutes) {
        QFont::insertSubstitution(QString::fromLatin1(entry.family), QString::fromLatin1(entry.substitute));
    }
}

QFont toQFont(const design::Font& font)
{
    QFont result(QString::fromUtf8(font.family.data(), static_cast<qsizetype>(font.family.size())));
    result.setPointSizeF(font.points);
    result.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    return result;
}

} // namespace vorlen
