// The program's one window: it builds its parts from the design table, hands
// them to the quiz engine through adapters, runs the engine's load step just
// before the window is first shown, and forwards every press and timer tick
// to the engine through the failure boundary. The quiz rules live in the
// engine, the window as drawn in the design table; this is the wiring.
#pragma once

#include "design/design.h"
#include "engine/failure_boundary.h"
#include "engine/quiz_engine.h"
#include "engine/random_source.h"
#include "window/window_parts.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

class QUrl;

namespace vorlen {
class CounterBrowser;
class EngineControls;
class ScreenReader;
} // namespace vorlen

// Outside the program's namespace, under its name in the design; everything
// it is built from lives in namespace vorlen.
class Form1 : public QWidget {
    Q_OBJECT

public:
    struct Options {
        std::string counterAddress = vorlen::design::counterAddress();
        vorlen::RandomSource::Clock clock = &vorlen::RandomSource::timeOfDay;
        std::uint64_t seed = 0x5EED5EED5EEDULL;
        int counterTimeoutMs = 15000;
        // Where a failure that reaches the window goes: one line each.
        vorlen::FailureReport reportFailure = &Form1::writeToStandardError;
    };

    Form1();
    explicit Form1(const QUrl& counterPage);
    explicit Form1(Options options, QWidget* parent = nullptr);
    ~Form1() override;

    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The first show runs the load step before anything is drawn.
    void setVisible(bool visible) override;

    [[nodiscard]] const vorlen::WindowParts& parts() const { return parts_; }
    [[nodiscard]] vorlen::QuizEngine& engine() { return *engine_; }
    [[nodiscard]] vorlen::CounterBrowser& counterRequest() { return *counter_; }

    static void writeToStandardError(const std::string& line);

private:
    void connectEvents();
    template <typename Routine> void enter(const char* where, Routine&& routine);

    Options options_;
    vorlen::WindowParts parts_;
    vorlen::CounterBrowser* counter_ = nullptr;
    std::unique_ptr<vorlen::EngineControls> controls_;
    std::unique_ptr<vorlen::QuizEngine> engine_;
    std::unique_ptr<vorlen::ScreenReader> screenReader_;
    bool loaded_ = false;
};
