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

} // namespace

void CaptionLayouts::setFont(const QFont& font)
{
    font_ = font;
    fontKey_ = font.key();
}

QSize CaptionLayouts::line(const QString& text) const
{
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

QStaticText CaptionLayouts::layout(const QString& text) const
{
    // Every caption the window shows, a few hundred of them at the most.
    constexpr qsizetype most = 512;
    static QCache<Key, QStaticText> cache(most);

    const Key key{text, fontKey_};
    if (const QStaticText* kept = cache.object(key)) {
        return *kept;
    }
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font_);
    cache.insert(key, new QStaticText(laid));
    return laid;
}

} // namespace vorlen
