// Captions drawn once, opaque on their ground, and kept for the next time.
// The idle animation repaints six large captions eleven times a second among
// a few dozen numbers; blending their antialiased glyphs and shaping their
// text afresh each time was most of what the idle window cost, and copying
// an opaque image is a small part of that. Qt's own pixmap cache is shared
// with everything and may be emptied by anyone, so the images are kept in a
// small cache of their own, shared by every control.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

namespace vorlen {

class CaptionImages {
public:
    // The font the captions are drawn in; call again when it changes.
    void setFont(const QFont& font);

    // The caption on one line in the ink on the ground, at the device pixel
    // ratio; its size is the caption's advance by the font's height.
    [[nodiscard]] QPixmap image(const QString& text, QColor ink, QColor ground, qreal ratio) const;

private:
    QFont font_;
    QString fontKey_;
};

} // namespace vorlen
