// Opens the window with the counter page at ADDRESS, makes the request at
// once, and closes the window a second later while it is still pending. It
// prints "pending NS" with the monotonic time of the close, and nothing if
// the request was over by then.
//
// Usage: vorlen_close_helper ADDRESS [LOOKUP_DELAY_MS]
#include "slow_lookup.h"
#include "tests/support/process_readings.h"
#include "window/form1.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    vorlen::test::setSlowLookup(argc > 2 ? std::atoi(argv[2]) : 0);
    Form1::Options options;
    options.counterAddress = argc > 1 ? argv[1] : "";
    options.counterDeadline = std::chrono::minutes(1);
    Form1 window(options);
    window.show();
    const long threadsBefore = vorlen::test::threadCount();
    window.parts().Timer3->setInterval(0); // ticks as soon as the event loop turns
    QTimer::singleShot(1000, &window, [&window, threadsBefore] {
        if (vorlen::test::threadCount() > threadsBefore) {
            std::printf("pending %lld", vorlen::test::monotonicNs());
            std::fflush(stdout);
        }
        window.close();
    });
    return QApplication::exec();
}
