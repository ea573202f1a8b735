// Runs the real window headless for a very long session: a million ticks of
// the idle animation and a million answered questions, right and wrong, the
// wrong ones closed with the OK button, through every table and order. The
// presses and ticks enter the window as they do in use: a button's clicked()
// and a timer's own tick. The process's resident memory after a warm-up and at
// the end must not grow by 1 MiB or more.
//
// With VORLEN_SOAK_BRIEF=1 it makes a few hundred events and sets no limit
// (for valgrind).
#include "engine/texts.h"
#include "tests/support/process_readings.h"
#include "tests/support/quiz_moves.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_list.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <gtest/gtest.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlen {
namespace {

struct Plan {
    long warmUpTicks;
    long warmUpAnswers;
    long ticks;
    long answers;
    long answersPerQuiz; // then the quiz is stopped and the next of the 22 choices started
    bool limit;
};

// The warm-up plays every choice once, so that each first use (a glyph, a
// label width, a cache entry) lies before the first figure.
constexpr Plan fullPlan{20000, 22L * 1000, 1000000, 1000000, 1000, true};
constexpr Plan briefPlan{0, 0, 200, 22L * 10, 10, false};
constexpr long limitKiB = 1024;
constexpr long repaintEvery = 1000; // events between two passes of the event loop

// Bytes the C heap has handed out and not had back, in KiB; -1 where the
// C library does not tell. Unlike the resident figure it does not move with
// fragmentation or with pages the allocator keeps for later.
long heapInUseKiB()
{
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#else
    return -1;
#endif
}

class Session {
public:
    explicit Session(Form1& form)
        : form_(form), command9_(form.parts().command9), ok_(form.parts().chameleonButton2),
          combo1_(form.parts().Combo1), combo2_(form.parts().Combo2), timer1_(form.parts().Timer1),
          timer2_(form.parts().Timer2), timer3_(form.parts().Timer3)
    {
        // The session owns time: the timers tick only when it ticks them.
        for (QTimer* timer : form.parts().timers()) {
            timer->setInterval(24 * 3600 * 1000);
        }
    }

    // The visit-counter request, once, as two seconds after start; waits
    // until it is over so that its memory is in the first figure.
    void requestCounter()
    {
        const long threadsBefore = test::threadCount();
        tick(timer3_);
        // The request is over when its thread is.
        if (!QTest::qWaitFor([&] { return test::threadCount() <= threadsBefore; }, 5000)) {
            throw std::runtime_error("the counter request to a closed port did not end");
        }
    }

    void idleTicks(long count)
    {
        if (running()) {
            command9_->click();
        }
        for (long i = 0; i < count; ++i) {
            tick(timer1_);
            if (i % 8 == 0) {
                tick(timer2_); // runs always; nothing to blink while the panel is closed
            }
            breathe();
        }
    }

    void answerQuestions(long count, long perQuiz)
    {
        for (long i = 0; i < count; ++i) {
            if (i % perQuiz == 0) {
                nextQuiz();
            }
            answer(i % 4 == 3);
            breathe();
        }
    }

    void stop()
    {
        if (running()) {
            command9_->click();
        }
    }

    [[nodiscard]] long answered() const { return answered_; }
    [[nodiscard]] long wrong() const { return wrong_; }

private:
    [[nodiscard]] bool running() const { return command9_->text() == QString::fromUtf8(text::stop.data()); }

    void tick(QTimer* timer)
    {
        QTimerEvent tick(timer->timerId());
        QCoreApplication::sendEvent(timer, &tick);
    }

    // Lets the window paint and finish what it posted, as its event loop would.
    void breathe()
    {
        if (++events_ % repaintEvery == 0) {
            QCoreApplication::processEvents();
        }
    }

    // Stops the quiz that runs and starts the next of the 22 choices.
    void nextQuiz()
    {
        if (running()) {
            command9_->click();
        }
        combo1_->setCurrentIndex(choice_ % combo1_->count());
        combo2_->setCurrentIndex((choice_ / combo1_->count()) % combo2_->count());
        ++choice_;
        command9_->click();
        if (!running()) {
            throw std::runtime_error("the start button did not start a quiz");
        }
    }

    void answer(bool wrong)
    {
        QuizButton* pressed = test::answerButton(form_, !wrong);
        if (pressed == nullptr) {
            throw std::runtime_error("no answer button shows the wanted answer");
        }
        pressed->click();
        ++answered_;
        if (wrong) {
            ++wrong_;
            tick(timer2_);
            tick(timer2_);
            ok_->click();
        }
    }

    Form1& form_;
    QuizButton* command9_;
    QuizButton* ok_;
    QComboBox* combo1_;
    QComboBox* combo2_;
    QTimer* timer1_;
    QTimer* timer2_;
    QTimer* timer3_;
    long events_ = 0;
    int choice_ = 0;
    long answered_ = 0;
    long wrong_ = 0;
};

int soak(const Plan& plan)
{
    std::vector<std::string> failures;
    Form1::Options options;
    options.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"; // a closed port: refused at once
    options.seed = 0x50A4;
    options.reportFailure = [&failures](const std::string& line) {
        if (failures.size() < 10) {
            failures.push_back(line);
        }
    };
    Form1 form(options);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "soak: the window was not shown\n");
        return EXIT_FAILURE;
    }

    Session session(form);
    QElapsedTimer clock;
    clock.start();
    session.requestCounter();
    session.idleTicks(plan.warmUpTicks);
    session.answerQuestions(plan.warmUpAnswers, plan.answersPerQuiz);
    session.stop();
    QCoreApplication::processEvents();
    const long before = test::residentKiB();
    if (plan.limit && before < 0) {
        std::fprintf(stderr, "soak: FAILED: this system does not tell the resident memory\n");
        return EXIT_FAILURE;
    }
    const long heapBefore = heapInUseKiB();

    const long answeredBefore = session.answered();
    const long wrongBefore = session.wrong();
    session.idleTicks(plan.ticks);
    session.answerQuestions(plan.answers, plan.answersPerQuiz);
    session.stop();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const long after = test::residentKiB();
    const long heapAfter = heapInUseKiB();
    const long growth = after - before;

    std::printf(
        "soak: %ld idle ticks and %ld answered questions (%ld wrong) after a warm-up of %ld and %ld, in "
        "%.1f s\n",
        plan.ticks, session.answered() - answeredBefore, session.wrong() - wrongBefore, plan.warmUpTicks,
        plan.warmUpAnswers, static_cast<double>(clock.elapsed()) / 1000.0);
    if (plan.limit) {
        std::printf(
            "soak: resident memory after the warm-up %ld KiB, at the end %ld KiB, growth %ld KiB (limit "
            "%ld KiB)\n",
            before, after, growth, limitKiB);
        std::printf("soak: heap in use after the warm-up %ld KiB, at the end %ld KiB, growth %ld KiB\n",
                    heapBefore, heapAfter, heapAfter - heapBefore);
    }
    for (const std::string& line : failures) {
        std::fprintf(stderr, "soak: FAILED: %s\n", line.c_str());
    }
    if (!failures.empty()) {
        return EXIT_FAILURE;
    }
    if (plan.limit && growth >= limitKiB) {
        std::fprintf(stderr, "soak: FAILED: resident memory grew by %ld KiB\n", growth);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

TEST(Soak, MemoryStaysFlatOverAMillionTicksAndAMillionAnswers)
{
    const char* brief = std::getenv("VORLEN_SOAK_BRIEF");
    const bool isBrief = brief != nullptr && std::strcmp(brief, "1") == 0;
    EXPECT_EQ(soak(isBrief ? briefPlan : fullPlan), EXIT_SUCCESS);
}

} // namespace
} // namespace vorlen
