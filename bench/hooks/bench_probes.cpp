#include "bench/hooks/bench_probes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace vorlen::bench {

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

bool asked(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0' && *value != '0';
}

class Probe : public QObject {
public:
    Probe(QWidget& window, NextPress next, bool firstPaint, bool press)
        : QObject(&window), window_(window), next_(std::move(next)), firstPaint_(firstPaint), press_(press)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != &window_) {
            return false;
        }
        if (event->type() == QEvent::MouseButtonRelease && press_ && !releaseSeen_) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                released(widget);
            }
        } else if (event->type() == QEvent::Paint && (firstPaint_ || timingFrame_) && !frameQueued_) {
            frameQueued_ = true;
            QTimer::singleShot(0, this, [this] { framePainted(); });
        }
        return false;
    }

private:
    void released(QWidget* widget)
    {
        const long long at = monotonicNs();
        auto* button = qobject_cast<QAbstractButton*>(widget);
        std::printf("release %s %lld\n", button != nullptr ? qPrintable(button->objectName()) : "window", at);
        std::fflush(stdout);
        releaseSeen_ = true;
        if (button == nullptr) {
            widget->update();
        }
        // A button repaints itself inside the release, before its handler
        // runs; the frame to time is the first one painted after the handler.
        QTimer::singleShot(0, this, [this] { timingFrame_ = true; });
    }

    void framePainted()
    {
        const long long at = monotonicNs();
        frameQueued_ = false;
        if (firstPaint_) {
            firstPaint_ = false;
            std::printf("first-paint %lld\n", at);
        } else if (timingFrame_) {
            timingFrame_ = false;
            releaseSeen_ = false;
            std::printf("repaint %lld\n", at);
        }
        std::fflush(stdout);
        if (press_) {
            announceNextClick();
        }
    }

    void announceNextClick()
    {
        auto [target, name] = next_ ? next_() : Press{nullptr, QString()};
        if (target == nullptr) {
            target = &window_;
            name = QStringLiteral("window");
        }
        const QPoint centre = target->mapToGlobal(target->rect().center());
        std::printf("click %s %d %d\n", qPrintable(name), centre.x(), centre.y());
        std::fflush(stdout);
    }

    QWidget& window_;
    NextPress next_;
    bool firstPaint_;
    bool press_;
    bool releaseSeen_ = false;
    bool timingFrame_ = false;
    bool frameQueued_ = false;
};

} // namespace

void installProbes(QWidget& window, NextPress next)
{
    const bool firstPaint = asked("VORLEN_BENCH_FIRST_PAINT");
    const bool press = asked("VORLEN_BENCH_PRESS");
    if (firstPaint || press) {
        new Probe(window, std::move(next), firstPaint || press, press);
    }
}

} // namespace vorlen::bench
