// Waits for tests that run a Qt event loop: bounded waits that keep the loop
// turning (no sleeping in between), and a probe that records the longest time
// the loop went without turning.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

namespace vorlen::test {

// Runs the event loop until done() holds or timeoutMs pass; returns done().
bool spinUntil(const std::function<bool()>& done, int timeoutMs);
void spinFor(int ms);

// A 10 ms timer that remembers the longest gap between two of its ticks.
class StallProbe {
public:
    StallProbe();

    [[nodiscard]] qint64 longestGapMs() const { return longestGap_; }
    // When the longest gap ended, in ms since the probe started.
    [[nodiscard]] qint64 longestGapEndedAtMs() const { return longestGapEnd_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longestGap_ = 0;
    qint64 longestGapEnd_ = 0;
};

} // namespace vorlen::test
