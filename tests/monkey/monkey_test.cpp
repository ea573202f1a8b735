// A seeded stream of random events on the real window at machine speed, as a
// child at the mouse and keyboard would make them: clicks anywhere and on the
// controls, keys to whatever has the focus, presses of a right or a wrong
// answer, and ticks of the three timers, which tick only when the stream ticks
// them. After every event the window must be in a state it can be in, with
// exactly one right answer among the four; after a warm-up, the heap must not
// grow. VORLEN_MONKEY_SEED and VORLEN_MONKEY_EVENTS choose the stream; a
// failure names the seed and the event, which replay it.
#include "engine/texts.h"
#include "tests/support/quiz_moves.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_panel.h"

#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <gtest/gtest.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace vorlen {
namespace {

long fromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atol(text) : fallback;
}

// Bytes the C heap has handed out and not had back, in KiB; -1 where unknown.
long heapInUseKiB()
{
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#else
    return -1;
#endif
}

// The first thing about the window that cannot be; empty when all is well.
std::string brokenState(const Form1& form)
{
    const WindowParts& p = form.parts();
    const QString caption = p.command9->text();
    const bool running = caption == QString::fromUtf8(text::stop);
    if (!running && caption != QString::fromUtf8(text::start)) {
        return "command9 shows " + caption.toStdString();
    }
    for (const QuizButton* answer : p.answers()) {
        if (answer->isEnabledTo(answer->parentWidget()) != running) {
            return answer->objectName().toStdString() + " is enabled only while no quiz runs";
        }
    }
    const bool panelOpen = !p.Frame5->isHidden();
    if (panelOpen && !running) {
        return "the wrong-answer panel is open while no quiz runs";
    }
    const std::string total = p.Label9->caption();
    const std::string right = p.Label10->caption();
    const std::string wrong = p.Label11->caption();
    if (std::atoi(total.c_str()) != std::atoi(right.c_str()) + std::atoi(wrong.c_str())) {
        return "the counts show " + total + " = " + right + " + " + wrong;
    }
    if (running && !panelOpen) {
        const int product = std::atoi(p.Label1->caption().c_str()) * std::atoi(p.Label3->caption().c_str());
        int rightAnswers = 0;
        for (const QuizButton* answer : p.answers()) {
            rightAnswers += answer->text() == QString::number(product) ? 1 : 0;
        }
        if (product < 1 || product > 100 || rightAnswers != 1) {
            return p.Label1->caption() + " x " + p.Label3->caption() + " has " +
                   std::to_string(rightAnswers) + " right answers";
        }
    }
    return {};
}

TEST(Monkey, WindowHoldsUpUnderASeededStreamOfEvents)
{
    const auto seed = static_cast<unsigned long>(fromEnvironment("VORLEN_MONKEY_SEED", 20240601));
    const long events = fromEnvironment("VORLEN_MONKEY_EVENTS", 200000);
    std::printf("monkey: seed %lu, %ld events\n", seed, events);
    std::fflush(stdout);
    std::mt19937_64 random(seed);
    const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    std::vector<std::string> failures;
    Form1::Options options;
    options.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"; // a closed port: refused at once
    options.seed = seed;
    options.reportFailure = [&failures](const std::string& line) { failures.push_back(line); };
    Form1 form(options);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const WindowParts& p = form.parts();
    for (QTimer* timer : p.timers()) {
        timer->setInterval(24 * 3600 *
                           1000); // they keep their state but tick only when the stream ticks them
    }
    std::vector<QWidget*> targets;
    for (QObject* part : p.all) {
        if (auto* widget = qobject_cast<QWidget*>(part)) {
            targets.push_back(widget);
        }
    }
    const std::array keys{Qt::Key_Space, Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Escape,
                          Qt::Key_Up,    Qt::Key_Down, Qt::Key_1,       Qt::Key_A};

    const long warmUp = events / 4;
    long heapAfterWarmUp = -1;
    int wrongAnswers = 0;
    for (long event = 0; event < events; ++event) {
        const int kind = below(100);
        if (kind < 25) {
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                              QPoint(below(form.width()), below(form.height())));
        } else if (kind < 45) {
            QWidget* target = targets[static_cast<std::size_t>(below(static_cast<int>(targets.size())))];
            const QPoint at = target->mapTo(&form, QPoint(below(target->width()), below(target->height())));
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
        } else if (kind < 65) {
            QTest::keyClick(form.windowHandle(), keys[static_cast<std::size_t>(below(keys.size()))]);
        } else if (kind < 80) {
            if (QuizButton* answer = test::answerButton(form, kind < 77);
                answer != nullptr && answer->isEnabled()) {
                wrongAnswers += kind < 77 ? 0 : 1;
                answer->click();
            }
        } else {
            QTimer* timer = p.timers()[static_cast<std::size_t>(below(3))];
            if (timer->isActive()) {
                QTimerEvent tick(timer->timerId());
                QCoreApplication::sendEvent(timer, &tick);
            }
        }
        if (!failures.empty()) {
            FAIL() << "event " << event << " of seed " << seed << ": " << failures.front();
        }
        if (const std::string broken = brokenState(form); !broken.empty()) {
            FAIL() << "event " << event << " of seed " << seed << ": " << broken;
        }
        if (event + 1 == warmUp) {
            QCoreApplication::processEvents();
            heapAfterWarmUp = heapInUseKiB();
        }
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const long heapAtEnd = heapInUseKiB();
    std::printf("monkey: %d wrong answers; heap in use %ld KiB after the warm-up, %ld KiB at the end\n",
                wrongAnswers, heapAfterWarmUp, heapAtEnd);
    if (events >= 20000) {
        EXPECT_GT(wrongAnswers, 0) << "the stream never reached a wrong answer";
        if (std::getenv("VORLEN_MONKEY_NO_MEMORY") == nullptr && heapAfterWarmUp >= 0) {
            EXPECT_LT(heapAtEnd - heapAfterWarmUp, 1024) << "KiB more heap in use after the warm-up";
        }
    }
}

} // namespace
} // namespace vorlen
