#include "window/caption_images.h"

#include <QCache>
#include <QFontMetrics>
#include <QHash>
#include <QTransform>

namespace vorlen {

namespace {

struct Key {
    QString text;
    QString font;

    bool operator==(const Key&) const = default;
};

size_t qHash(const Key& key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.font);
}

struct Laid {
    QStaticText layout;
    QSize line;
};

// Every caption the window shows, a few hundred of them at the most, in the
// fonts they are shown in: the question's numbers are measured and drawn
// anew eleven times a second while the window rests.
Laid laidOut(const QString& text, const QFont& font, const QString& fontKey)
{
    constexpr qsizetype most = 512;
    static QCache<Key, Laid> cache(most);

    const Key key{text, fontKey};
    if (const Laid* kept = cache.object(key)) {
        return *kept;
    }
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.setPerformanceHint(QStaticText::AggressiveCaching);
    layout.prepare(QTransform(), font);
    const QFontMetrics metrics(font);
    auto* laid = new Laid{.layout = layout, .line = QSize(metrics.horizontalAdvance(text), metrics.height())};
    Laid made = *laid;
    cache.insert(key, laid);
    return made;
}

} // namespace

void CaptionLayouts::setFont(const QFont& font)
{
    font_ = font;
    fontKey_ = font.key();
}

QSize CaptionLayouts::line(const QString& text) const
{
    return laidOut(text, font_, fontKey_).line;
}

QStaticText CaptionLayouts::layout(const QString& text) const
{
    return laidOut(text, font_, fontKey_).layout;
}

} // namespace vorlen
