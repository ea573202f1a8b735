#include "present/form.h"

#include <cstdio>
#include <string_view>
#include <utility>

namespace vorlen::present {

namespace {

using Handler = void (QuizEngine::*)();

constexpr std::string_view loadStep = "load";

Handler pressHandler(Part button)
{
    switch (button) {
    case Part::command9:
        return &QuizEngine::pressCommand9;
    case Part::cev1:
        return &QuizEngine::pressCev1;
    case Part::cev2:
        return &QuizEngine::pressCev2;
    case Part::cev3:
        return &QuizEngine::pressCev3;
    case Part::cev4:
        return &QuizEngine::pressCev4;
    case Part::chameleonButton1:
        return &QuizEngine::pressChameleonButton1;
    case Part::chameleonButton2:
        return &QuizEngine::pressChameleonButton2;
    default:
        return nullptr;
    }
}

Handler tickHandler(Part timer)
{
    switch (timer) {
    case Part::Timer1:
        return &QuizEngine::tickTimer1;
    case Part::Timer2:
        return &QuizEngine::tickTimer2;
    case Part::Timer3:
        return &QuizEngine::tickTimer3;
    default:
        return nullptr;
    }
}

} // namespace

Form::Form(Options options)
    : options_(std::move(options)),
      engine_(model_.controls(*this), RandomSource(options_.clock, options_.seed), options_.counterAddress),
      spoken_(model_)
{
    // What the front end builds from the design table is what the model
    // holds now, names included: nothing to apply yet.
    model_.takeChanges(update_.changes);
    update_.changes.clear();
}

void writeToStandardError(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

template <typename Routine>
const Update& Form::handle(Event event, std::optional<Part> part, Routine&& routine)
{
    const std::string_view where = event == Event::Load ? loadStep : design::name(*part);
    update_ = Update{};
    runReportingFailure(options_.reportFailure, where, std::forward<Routine>(routine));
    // What the child sees and hears is brought up to date whatever failed.
    runReportingFailure(options_.reportFailure, where, [&] {
        Said said = event == Event::Load ? spoken_.afterLoad(model_)
                                         : spoken_.after(model_, event == Event::Press ? part : std::nullopt);
        update_.focus = said.focus;
        update_.announcement = std::move(said.announcement);
        model_.takeChanges(update_.changes);
    });
    update_.counterRequest = std::exchange(counterRequest_, std::nullopt);
    return update_;
}

void Form::navigate(const std::string& address)
{
    counterRequest_ = CounterPlan{
        .page = HttpAddress::parse(address), .proxy = std::nullopt, .deadline = options_.counterDeadline};
}

const Update& Form::nothing()
{
    update_ = Update{};
    return update_;
}

const Update& Form::load()
{
    if (loaded_) {
        return nothing();
    }
    loaded_ = true;
    return handle(Event::Load, std::nullopt, [&] { engine_.load(); });
}

const Update& Form::press(Part button)
{
    const Handler handler = pressHandler(button);
    if (handler == nullptr || !model_.canTakeFocus(button)) {
        return nothing();
    }
    return handle(Event::Press, button, [&] { (engine_.*handler)(); });
}

const Update& Form::choose(Part list, int entry)
{
    if (design::kind(list) != design::Kind::List || !model_.canTakeFocus(list)) {
        return nothing();
    }
    return handle(Event::Choice, list, [&] { model_.choose(list, entry); });
}

const Update& Form::tick(Part timer)
{
    const Handler handler = tickHandler(timer);
    if (handler == nullptr || !model_[timer].running) {
        return nothing();
    }
    return handle(Event::Tick, timer, [&] {
        model_.ticking(timer);
        (engine_.*handler)();
    });
}

const Update& Form::circumstances(const Circumstances& circumstances)
{
    update_ = Update{};
    model_.setCircumstances(circumstances);
    if (Look now = present::look(circumstances.preferences); now != look_) {
        look_ = now;
        update_.look = now;
    }
    model_.takeChanges(update_.changes);
    return update_;
}

const Update& Form::prefer(const Preferences& preferences)
{
    Circumstances now = model_.circumstances();
    now.preferences = preferences;
    return circumstances(now);
}

const Update& Form::show(bool shown)
{
    Circumstances now = model_.circumstances();
    now.shown = shown;
    return circumstances(now);
}

} // namespace vorlen::present
