#include "window/quiz_button.h"

#include "design/design.h"
#include "engine/controls.h"
#include "present/drawing.h"
#include "window/caption_images.h"
#include "window/colours.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <cmath>
#include <unordered_map>

namespace vorlen {

QuizButton::QuizButton(QWidget* parent) : QPushButton(parent)
{
    setAttribute(Qt::WA_Hover);
    // The face covers the whole button, so nothing behind it is painted.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    captions_.setFont(font());
}

QColor QuizButton::faceColour()
{
    return toQColor(design::buttonLook.face);
}

void QuizButton::setInks(const present::ButtonInks& inks, const present::Ink& focusMark)
{
    inks_ = inks;
    focusMark_ = focusMark;
    hoverText_ = toQColor(inks.hovered.text);
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, toQColor(inks.plain.text));
    colours.setColor(QPalette::Button, toQColor(inks.plain.face));
    setPalette(colours);
    update();
}

namespace {

bool isEnter(const QKeyEvent* event)
{
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

} // namespace

// Enter works like Space: the button shows its press while the key is down
// and clicks when it comes up, within the same key stroke. A click that
// would come later could land on a question that has changed meanwhile.
void QuizButton::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(event)) {
        if (!event->isAutoRepeat()) {
            enterDown_ = true;
            setDown(true);
        }
        return;
    }
    QPushButton::keyPressEvent(event);
}

void QuizButton::keyReleaseEvent(QKeyEvent* event)
{
    if (isEnter(event)) {
        if (!event->isAutoRepeat() && enterDown_) {
            cancelEnter();
            click();
        }
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

void QuizButton::cancelEnter()
{
    if (enterDown_) {
        enterDown_ = false;
        setDown(false);
    }
}

void QuizButton::focusOutEvent(QFocusEvent* event)
{
    cancelEnter();
    QPushButton::focusOutEvent(event);
}

QPixmap QuizButton::faceFor(const present::ButtonPaint& paint) const
{
    // The faces each look has shown, shared by the buttons of one size: the
    // four answers need one set between them.
    struct Look {
        int width, height, ratio;
        QRgb face, outline, lowerEdge, panel;
        bool raised;
        bool operator==(const Look&) const = default;
    };
    struct LookHash {
        size_t operator()(const Look& look) const
        {
            return qHashMulti(0, look.width, look.height, look.ratio, look.face, look.outline, look.lowerEdge,
                              look.panel, look.raised);
        }
    };
    static std::unordered_map<Look, QPixmap, LookHash> faces;
    const qreal ratio = devicePixelRatioF();
    const QColor panel = parentWidget() != nullptr ? parentWidget()->palette().color(QPalette::Window)
                                                   : palette().color(QPalette::Window);
    const Look look{.width = width(),
                    .height = height(),
                    .ratio = static_cast<int>(std::lround(ratio * 100)),
                    .face = toQColor(paint.face).rgba(),
                    .outline = toQColor(paint.outline).rgba(),
                    .lowerEdge = toQColor(paint.lowerEdge).rgba(),
                    .panel = panel.rgba(),
                    .raised = paint.raised};
    if (const auto found = faces.find(look); found != faces.end()) {
        return found->second;
    }

    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    // Opaque, on the panel's face around the rounded corners: copied, not
    // blended, on every paint.
    pixmap.fill(panel);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const auto radius = static_cast<qreal>(design::buttonLook.cornerRadiusPx);

    QPainterPath outline;
    outline.addRoundedRect(frame, radius, radius);
    painter.fillPath(outline, toQColor(paint.face));
    if (paint.raised) {
        painter.setPen(QPen(toQColor(paint.upperEdge), 1.0));
        painter.drawLine(QPointF(frame.left() + radius, frame.top() + 1.0),
                         QPointF(frame.right() - radius, frame.top() + 1.0));
        painter.setPen(QPen(toQColor(paint.lowerEdge), 1.0));
        painter.drawLine(QPointF(frame.left() + radius, frame.bottom() - 1.0),
                         QPointF(frame.right() - radius, frame.bottom() - 1.0));
    }
    painter.setPen(QPen(toQColor(paint.outline), 1.0));
    painter.drawPath(outline);
    painter.end();
    faces.emplace(look, pixmap);
    return pixmap;
}

void QuizButton::paintEvent(QPaintEvent* /*event*/)
{
    // A button locked only by its panel (the answers and "Dur" under the open
    // wrong-answer panel) keeps its look; it greys only when it is disabled
    // itself. It takes no press either way.
    const present::ButtonPaint paint =
        inks_.in({.enabled = parentWidget() == nullptr || isEnabledTo(parentWidget()),
                  .hovered = isEnabled() && underMouse(),
                  .pressed = isDown(),
                  .focused = hasFocus()});

    QPainter painter(this);
    painter.drawPixmap(0, 0, faceFor(paint));
    painter.setPen(toQColor(paint.text));
    painter.setFont(font());
    const QSize line = captions_.line(text());
    const QPoint at((width() - line.width()) / 2 + paint.textShiftPx,
                    (height() - line.height()) / 2 + paint.textShiftPx);
    painter.drawStaticText(at, captions_.layout(text()));

    if (paint.focusMark) {
        const int inset = present::focusInsetPx;
        QColor mark = toQColor(focusMark_);
        if (!focusMark_.role) {
            mark.setAlpha(present::focusAlpha);
        }
        painter.setPen(QPen(mark, 1.0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
    }
}

void QuizButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        cancelEnter();
    }
    if (event->type() == QEvent::FontChange) {
        captions_.setFont(font());
    }
    QPushButton::changeEvent(event);
}

} // namespace vorlen
