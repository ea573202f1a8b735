#include "window/fonts.h"

#include "window/texts.h"

#include <QStringList>

namespace vorlen {

void installFontSubstitutes()
{
    for (const design::FontStandIns& entry : design::fontStandIns) {
        QFont::insertSubstitution(qs(entry.family), qs(entry.faces.front()));
    }
}

QFont toQFont(const design::Font& font)
{
    // The installed face comes first and the design's face after it: Qt takes
    // the first family it has, so a face that is not installed is never
    // searched for among all the installed ones, which costs start-up time.
    QStringList families;
    for (const design::FontStandIns& entry : design::fontStandIns) {
        if (entry.family == font.family) {
            families << qs(entry.faces.front());
        }
    }
    families << qs(font.family);
    QFont result;
    result.setFamilies(families);
    result.setPointSizeF(font.points);
    result.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    return result;
}

} // namespace vorlen
