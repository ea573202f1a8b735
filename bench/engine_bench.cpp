// How long the engine takes per question in each mode, for the slowest draw
// (the last pair of a hundred-pair cycle) and per idle tick. The controls do
// nothing, so only the engine's own work is measured; the clock is the real
// time of day, as in the program.
#include "engine/quiz_engine.h"
#include "engine/texts.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vorlen {
namespace {

class NoLabel final : public Label {
public:
    void setCaption(const std::string& /*text*/) override {}
    void setForeColor(Colour /*colour*/) override {}
    void setVisible(bool /*visible*/) override {}
};

class NoButton final : public Button {
public:
    explicit NoButton(std::string caption = {}) : caption_(std::move(caption)) {}
    [[nodiscard]] std::string caption() const override { return caption_; }
    void setCaption(const std::string& /*text*/) override {}
    void setEnabled(bool /*enabled*/) override {}

private:
    std::string caption_;
};

class NoPanel final : public Panel {
public:
    [[nodiscard]] bool isVisible() const override { return false; }
    void setVisible(bool /*visible*/) override {}
    void setEnabled(bool /*enabled*/) override {}
};

class NoList final : public DropDownList {
public:
    void setListIndex(int /*index*/) override {}
    [[nodiscard]] std::string text() const override { return {}; }
    void setEnabled(bool /*enabled*/) override {}
};

class NoTextBox final : public TextBox {
public:
    [[nodiscard]] std::string text() const override { return {}; }
    void setText(const std::string& /*text*/) override {}
};

class NoTimer final : public Timer {
public:
    void setEnabled(bool /*enabled*/) override {}
};

class NoBrowser final : public WebBrowser {
public:
    void navigate(const std::string& /*address*/) override {}
};

// An idle window: command9 shows "Başla".
struct NullWindow {
    NoLabel label;
    NoPanel panel;
    NoList list;
    NoTextBox text;
    NoButton button;
    NoButton command9{std::string(text::start)};
    NoTimer timer;
    NoBrowser browser;

    Controls controls()
    {
        return Controls{panel,  panel,  panel,  panel,  panel,    label,  label,  label, label,
                        label,  label,  label,  label,  label,    label,  label,  label, label,
                        button, button, button, button, command9, button, button, list,  list,
                        text,   {},     timer,  timer,  timer,    browser};
    }
};

struct Bench {
    NullWindow window;
    QuizEngine engine{window.controls(), RandomSource(&RandomSource::timeOfDay, 20240611), "http://x/"};

    explicit Bench(QuizMode mode)
    {
        QuizState& s = engine.state();
        s.quizmode = mode;
        s.tableno = 7;
        s.seqfirst = 1;
        s.seqsecond = mode == QuizMode::SingleSequential ? 0 : 1;
    }
};

void questionIn(benchmark::State& state, QuizMode mode)
{
    Bench bench(mode);
    for (auto _ : state) {
        bench.engine.sor();
    }
    benchmark::DoNotOptimize(bench.engine.state().correctanswer);
}
BENCHMARK_CAPTURE(questionIn, tekkarisik, QuizMode::SingleMixed);
BENCHMARK_CAPTURE(questionIn, teksirali, QuizMode::SingleSequential);
BENCHMARK_CAPTURE(questionIn, ciftkarisik, QuizMode::AllMixed);
BENCHMARK_CAPTURE(questionIn, ciftsirali, QuizMode::AllSequential);

// The hundredth question of an all-tables mixed cycle: 99 pairs are used, so
// the draw is redone until it hits the one pair left, about a hundred times.
// Which pair is left, and the order of the used ones, change every iteration.
void lastPairOfCycle(benchmark::State& state)
{
    Bench bench(QuizMode::AllMixed);
    std::vector<std::string> pairs;
    for (int a = 1; a <= 10; ++a) {
        for (int b = 1; b <= 10; ++b) {
            pairs.push_back(std::to_string(a) + "x" + std::to_string(b));
        }
    }
    std::mt19937 shuffle(1);
    ScratchTable& used = bench.engine.vs3();
    for (auto _ : state) {
        state.PauseTiming();
        std::shuffle(pairs.begin(), pairs.end(), shuffle);
        used.setRowCount(1);
        for (std::size_t n = 0; n + 1 < pairs.size(); ++n) {
            used.append(0, pairs[n]);
        }
        state.ResumeTiming();
        bench.engine.sor();
    }
    if (used.rowCount() != 1) {
        state.SkipWithError("the cycle did not end");
    }
}
BENCHMARK(lastPairOfCycle);

void idleTick(benchmark::State& state)
{
    Bench bench(QuizMode::None);
    for (auto _ : state) {
        bench.engine.tickTimer1();
    }
    if (bench.engine.vs3().rowCount() != 2) {
        state.SkipWithError("the tick drew no sample");
    }
}
BENCHMARK(idleTick);

// For scale: one reading of the clock, which every reseed makes.
void clockReading(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(RandomSource::timeOfDay());
    }
}
BENCHMARK(clockReading);

} // namespace
} // namespace vorlen
