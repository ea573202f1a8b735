// Captions laid out once and kept for the next time. The idle animation
// repaints six large captions eleven times a second among a few dozen
// numbers; shaping and laying out their text afresh each time was a large
// part of what the idle window cost, and so was measuring them. The layouts
// (glyphs and their places, no pixels) and their sizes are shared by every
// control in one small cache.
#pragma once

#include <QFont>
#include <QSize>
#include <QStaticText>
#include <QString>

namespace vorlen {

class CaptionLayouts {
public:
    // The font the captions are laid out in; call again when it changes.
    void setFont(const QFont& font);

    // The caption laid out on one line, to be drawn in this font.
    [[nodiscard]] QStaticText layout(const QString& text) const;

    // The caption on one line: its advance by the font's height.
    [[nodiscard]] QSize line(const QString& text) const;

private:
    QFont font_;
    QString fontKey_;
};

} // namespace vorlen
