#include "tests/support/loop_tools.h"

#include <QEventLoop>

namespace vorlen::test {

bool spinUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done()) {
        return true;
    }
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || clock.hasExpired(timeoutMs)) {
            loop.quit();
        }
    });
    check.start(5);
    loop.exec();
    return done();
}

void spinFor(int ms)
{
    spinUntil([] { return false; }, ms);
}

StallProbe::StallProbe()
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        const qint64 now = clock_.elapsed();
        if (now - last_ > longestGap_) {
            longestGap_ = now - last_;
            longestGapEnd_ = now;
        }
        last_ = now;
    });
    clock_.start();
    timer_.start(10);
}

} // namespace vorlen::test
