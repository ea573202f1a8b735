#include "window/caption_images.h"

#include <QCache>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <cmath>

namespace vorlen {

namespace {

struct Key {
    QString text;
    QString font;
    QRgb ink;
    QRgb ground;
    int ratio; // in hundredths

    bool operator==(const Key&) const = default;
};

size_t qHash(const Key& key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.font, key.ink, key.ground, key.ratio);
}

} // namespace

void CaptionImages::setFont(const QFont& font)
{
    font_ = font;
    fontKey_ = font.key();
}

QPixmap CaptionImages::image(const QString& text, QColor ink, QColor ground, qreal ratio) const
{
    // About a megabyte holds every caption the window shows.
    constexpr qsizetype kilobytes = 1024;
    static QCache<Key, QPixmap> cache(kilobytes);

    Key key{text, fontKey_, ink.rgba(), ground.rgba(), static_cast<int>(std::lround(ratio * 100))};
    if (const QPixmap* kept = cache.object(key)) {
        return *kept;
    }
    const QFontMetrics metrics(font_);
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    QPixmap image((QSizeF(size) * ratio).toSize());
    image.setDevicePixelRatio(ratio);
    image.fill(ground);
    QPainter painter(&image);
    painter.setFont(font_);
    painter.setPen(ink);
    painter.drawText(QPointF(0, metrics.ascent()), text);
    painter.end();
    const auto cost = static_cast<qsizetype>(image.width()) * image.height() * image.depth() / 8 / 1024 + 1;
    cache.insert(std::move(key), new QPixmap(image), cost);
    return image;
}

} // namespace vorlen
