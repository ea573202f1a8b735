// Timestamps for the benchmarks (bench/run.sh). They are compiled into the
// probed program (bench/probed) and the empty-window floor (bench/floor),
// never into the program itself. Asked for through the environment, they print
// CLOCK_MONOTONIC nanoseconds on standard output, one event a line; without
// those variables they install nothing.
//
//   VORLEN_BENCH_FIRST_PAINT  "first-paint NS" once the window's first frame is painted.
//   VORLEN_BENCH_PRESS        "click NAME X Y": what to press next, at global coordinates,
//                             as the program chooses it (see quiz_presses.h), or "window";
//                             "release NAME NS" when a left-button release reaches it;
//                             "repaint NS" once the first frame after that release is painted.
//                             A release on a plain widget asks that widget for a repaint, so
//                             the floor has a frame to time as well.
//
// A frame counts as painted when the event that painted it has returned:
// the first paint event of the frame posts a zero-delay call, which runs once
// the whole window is painted and handed to the window system. After a
// release, only frames painted once the release has been handled count (a
// button repaints itself inside the release, before its handler runs).
#pragma once

#include <QString>

#include <functional>
#include <utility>

class QWidget;

namespace vorlen::bench {

// The widget to press next and its name; no widget means the window itself.
using Press = std::pair<QWidget*, QString>;
using NextPress = std::function<Press()>;

void installProbes(QWidget& window, NextPress next = {});

} // namespace vorlen::bench
