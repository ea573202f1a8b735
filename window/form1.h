// The program's one window: builds every panel and control from the design
// table, hands them to the quiz engine through adapters, runs the engine's
// load step just before the window is first shown, and forwards every press
// and timer tick to the engine. The quiz rules live in the engine, not here.
#pragma once

#include "engine/quiz_engine.h"
#include "engine/random_source.h"

#include <QHash>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QTimer;
class QUrl;

namespace vorlen {
class CounterRequest;
class QuizPanel;
class ScreenReader;
} // namespace vorlen

// The window keeps the name it has always had, outside the program's
// namespace; everything it is built from lives in namespace vorlen.
class Form1 : public QWidget {
    Q_OBJECT

public:
    struct Options {
        std::string counterAddress = defaultCounterAddress();
        vorlen::RandomSource::Clock clock = &vorlen::RandomSource::timeOfDay;
        std::uint64_t seed = 0x5EED5EED5EEDULL;
        int counterTimeoutMs = 15000;
        // Where a failure that reaches the window goes: one line each.
        std::function<void(const std::string&)> reportFailure = &Form1::writeToStandardError;
    };

    Form1();
    explicit Form1(const QUrl& counterPage);
    explicit Form1(Options options, QWidget* parent = nullptr);
    ~Form1() override;

    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The first show runs the load step before anything is drawn.
    void setVisible(bool visible) override;

    [[nodiscard]] vorlen::QuizEngine& engine() { return *engine_; }
    [[nodiscard]] vorlen::CounterRequest& counterRequest() { return *counter_; }

    // The window caption, with the maker's web address and telephone number.
    [[nodiscard]] static QString windowCaption();
    [[nodiscard]] static std::string defaultCounterAddress();
    static void writeToStandardError(const std::string& line);

private:
    struct Adapters;

    void buildPanels();
    void buildControls();
    void buildLines();
    void buildTimers();
    void connectEvents();
    void setFocusOrder();

    // Every event enters the engine here. A failure that a routine passes on
    // would end the program on the platform this came from; here it is
    // reported in one line and the window carries on.
    template <typename Routine> void handle(const char* where, Routine&& routine);

    Options options_;
    QHash<QString, QWidget*> widgets_;
    QHash<QString, vorlen::QuizPanel*> panels_;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    QTimer* timer3_ = nullptr;
    vorlen::CounterRequest* counter_ = nullptr;
    std::unique_ptr<Adapters> adapters_;
    std::unique_ptr<vorlen::QuizEngine> engine_;
    std::unique_ptr<vorlen::ScreenReader> screenReader_;
    bool loaded_ = false;
};
