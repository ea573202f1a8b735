// The window as every front end drives it: the window model, the quiz engine
// that writes to it, and what a screen reader hears. A front end builds its
// controls from the design table, passes each event in here (the load step,
// a press, a list choice, a timer tick) and applies the update it gets back
// before its handler returns: the parts that changed, what to announce,
// where the focus goes, and when the visit-counter request is due, which the
// front end makes with its platform's transport. Everything runs inside the
// failure boundary: a failure is reported in one line and the window goes on.
#pragma once

#include "design/design.h"
#include "engine/counter_request.h"
#include "engine/failure_boundary.h"
#include "engine/quiz_engine.h"
#include "engine/random_source.h"
#include "present/look.h"
#include "present/spoken.h"
#include "present/window_model.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlen::present {

struct FormProbe;

// What one event changed, for the front end to apply in this order: the
// window's look, the parts, then the focus, then the announcement; and the
// one outside effect.
struct Update {
    std::optional<Look> look; // the whole look, when the child's settings changed it
    std::vector<Change> changes;
    std::optional<Part> focus;
    std::optional<Announcement> announcement;
    // Make the visit-counter request now, and never wait for it. The proxy
    // is left to the front end.
    std::optional<CounterPlan> counterRequest;

    [[nodiscard]] bool empty() const
    {
        return !look && changes.empty() && !focus && !announcement && !counterRequest;
    }
};

// How long the visit-counter request may take before it is given up.
inline constexpr std::chrono::milliseconds defaultCounterDeadline{15'000};

// One line to standard error (the browser's console on the web).
void writeToStandardError(const std::string& line);

// The engine's web browser is the form itself: a navigation becomes the
// update's counter request.
class Form : private WebBrowser {
public:
    // What every front end starts its window with.
    struct Options {
        std::string counterAddress = design::counterAddress();
        RandomSource::Clock clock = &RandomSource::timeOfDay;
        std::uint64_t seed = 0x5EED5EED5EEDULL;
        std::chrono::milliseconds counterDeadline = defaultCounterDeadline;
        // Where a failure that reaches the window goes: one line each.
        FailureReport reportFailure = &writeToStandardError;
    };

    explicit Form(Options options);

    // The load step, once, before the window is first shown; later calls
    // change nothing.
    const Update& load();

    // A press of a button, taken only while the button and its panel are
    // visible and enabled: one press per click, tap or key stroke.
    const Update& press(Part button);

    // The child chose an entry of a list; no step of the quiz runs.
    const Update& choose(Part list, int entry);

    // A tick of a timer, taken only while the timer runs.
    const Update& tick(Part timer);

    // The child's system settings (Preferences, present/window_model.h), at
    // any time, also before load(): what they change.
    const Update& prefer(const Preferences& preferences);

    // The window or page was hidden (minimised) or shown again: what that
    // changes.
    const Update& show(bool shown);

    [[nodiscard]] const Preferences& preferences() const { return model_.circumstances().preferences; }
    // The window's look now: what a front end builds its parts with.
    [[nodiscard]] const Look& look() const { return look_; }

    [[nodiscard]] const WindowModel& model() const { return model_; }
    [[nodiscard]] bool loaded() const { return loaded_; }
    // Where the quiz stands: for reading only, since every change goes through
    // the events above and so reaches the model.
    [[nodiscard]] const QuizState& quizState() const { return engine_.state(); }

private:
    // The tests' way to stage a quiz state no child can reach
    // (tests/support/form_probe.h).
    friend struct FormProbe;

    // An event refused before anything ran: no change, no focus, nothing said.
    const Update& nothing();

    // Throws std::invalid_argument for an address HttpAddress refuses: then
    // nothing is requested.
    void navigate(const std::string& address) override;

    // The parts that a change of circumstances changed.
    const Update& circumstances(const Circumstances& circumstances);

    // What a front end passed in, and so what is said after it.
    enum class Event : std::uint8_t { Load, Press, Choice, Tick };

    // Runs routine for the event on part (none for the load step), then
    // brings what is shown and said up to date. A failure is reported under
    // the part's design name, or "load".
    template <typename Routine>
    const Update& handle(Event event, std::optional<Part> part, Routine&& routine);

    Options options_;
    WindowModel model_;
    QuizEngine engine_;
    Spoken spoken_;
    Update update_;
    Look look_ = present::look({});
    std::optional<CounterPlan> counterRequest_; // due, for the update being made
    bool loaded_ = false;
};

} // namespace vorlen::present
