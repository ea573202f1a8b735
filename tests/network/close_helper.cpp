// Opens the window with the counter page at a given address, lets the engine
// make its request at once instead of two seconds later, and closes the window
// after a given time while the request is still pending. It prints whether the
// request was pending (its thread still runs) and the monotonic time of the
// close, so that the caller can time how long the program takes to end after it.
//
// Usage: vorlen_close_helper ADDRESS CLOSE_AFTER_MS [LOOKUP_DELAY_MS]
#include "slow_lookup.h"
#include "tests/support/process_readings.h"
#include "window/fonts.h"
#include "window/form1.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: vorlen_close_helper ADDRESS CLOSE_AFTER_MS [LOOKUP_DELAY_MS]\n", stderr);
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    QApplication app(argc, argv);
    vorlen::installFontSubstitutes();
    if (argc > 3) {
        vorlen::test::setSlowLookup(std::atoi(argv[3]));
    }

    Form1::Options options;
    options.counterAddress = argv[1];
    options.counterDeadline = std::chrono::minutes(1); // still pending when the window closes
    Form1 window(options);
    window.show();
    const long threadsBefore = vorlen::test::threadCount();
    // Timer3 ticks as soon as the event loop turns: the request starts then.
    window.findChild<QTimer*>(QStringLiteral("Timer3"))->setInterval(0);

    QTimer::singleShot(std::atoi(argv[2]), &window, [&window, threadsBefore] {
        const bool pending = vorlen::test::threadCount() > threadsBefore;
        std::printf("pending %d\nclosing %lld\n", pending ? 1 : 0, vorlen::test::monotonicNs());
        std::fflush(stdout);
        window.close();
    });
    return QApplication::exec();
}
