#include "web/web_form.h"

#include "web/dom.h"
#include "web/markup.h"

#include <charconv>
#include <emscripten/eventloop.h>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace vorlen::web {

namespace {

using present::Property;

constexpr std::string_view deadlineKey = "counterDeadline=";

// What a browser may bring back of a control on a reload.
std::uint16_t restorable(design::Kind kind)
{
    const auto bit = [](Property property) { return static_cast<std::uint16_t>(property); };
    switch (kind) {
    case design::Kind::Button:
        return bit(Property::Enabled);
    case design::Kind::List:
        return bit(Property::Enabled) | bit(Property::Choice);
    case design::Kind::TextBox:
        return bit(Property::Caption);
    case design::Kind::Panel:
    case design::Kind::Label:
    case design::Kind::Picture:
    case design::Kind::Timer:
        break;
    }
    return 0;
}

std::optional<Part> partAt(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= design::partCount) {
        return std::nullopt;
    }
    return static_cast<Part>(index);
}

int at(Part part)
{
    return static_cast<int>(design::index(part));
}

std::string partNames()
{
    std::string names;
    for (const std::string_view name : design::partNames) {
        names += names.empty() ? "" : " ";
        names += name;
    }
    return names;
}

} // namespace

std::chrono::milliseconds counterDeadline(std::string_view query, const FailureReport& report)
{
    if (query.starts_with('?')) {
        query.remove_prefix(1);
    }
    while (!query.empty()) {
        const std::size_t end = query.find('&');
        const std::string_view pair = query.substr(0, end);
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
        if (!pair.starts_with(deadlineKey)) {
            continue;
        }
        const std::string_view value = pair.substr(deadlineKey.size());
        long milliseconds = 0;
        const auto [last, error] = std::from_chars(value.data(), value.data() + value.size(), milliseconds);
        if (error == std::errc{} && last == value.data() + value.size() && milliseconds >= 1 &&
            milliseconds <= present::defaultCounterDeadline.count()) {
            return std::chrono::milliseconds(milliseconds);
        }
        report("vorlen: counterDeadline: \"" + std::string(value) +
               "\" is not 1 to 15000 milliseconds; the counter request waits 15000");
    }
    return present::defaultCounterDeadline;
}

WebForm::WebForm(std::chrono::milliseconds counterDeadline)
    : form_({.counterDeadline = counterDeadline, .reportFailure = &dom::reportToConsole})
{
    for (std::size_t i = 0; i < design::timers.size(); ++i) {
        timers_[i] = {.form = this, .part = design::timers[i].part, .interval = 0};
    }
}

WebForm::~WebForm()
{
    for (TimerSlot& slot : timers_) {
        if (slot.interval != 0) {
            emscripten_clear_interval(slot.interval);
        }
    }
}

template <typename Event> void WebForm::enter(Event&& event)
{
    // What reaches here has passed the model's own boundary: a failure to
    // apply an update is reported the same way, and the page goes on.
    runReportingFailure(&dom::reportToConsole, "web", [&] { apply(std::forward<Event>(event)()); });
}

void WebForm::start()
{
    dom::bind(partNames());
    // The timers run from creation on, as the model starts them.
    for (const design::Timer& timer : design::timers) {
        running(timer.part, form_.model()[timer.part].running);
    }
    present::Update restored;
    enter([this, &restored]() -> const present::Update& {
        // The page was written from the window after this same load step
        // (page_main.cpp), so the model and the page start alike, but for
        // what a browser brings back from an earlier visit on a reload: the
        // controls' locked state and values. Those are set as the model has
        // them (the lists, which the page keeps locked until now, with them),
        // and nothing else.
        const present::Update& loaded = form_.load();
        restored.focus = loaded.focus;
        restored.announcement = loaded.announcement;
        restored.counterRequest = loaded.counterRequest;
        for (std::size_t i = 0; i < design::partCount; ++i) {
            const auto part = static_cast<Part>(i);
            if (const std::uint16_t what = restorable(design::kind(part)); what != 0) {
                restored.changes.push_back({.part = part, .what = what});
            }
        }
        return restored;
    });
    // The system's settings and the page's visibility, now and on each change.
    dom::watchSettings();
    dom::markReady();
}

void WebForm::press(int part)
{
    if (const auto button = partAt(part)) {
        enter([&]() -> const present::Update& { return form_.press(*button); });
    }
}

void WebForm::choose(int part, int entry)
{
    const auto list = partAt(part);
    if (!list || design::kind(*list) != design::Kind::List) {
        return;
    }
    enter([&]() -> const present::Update& { return form_.choose(*list, entry); });
    // A choice the model refused leaves its own on the list.
    if (form_.model()[*list].choice != entry) {
        dom::setChoice(part, form_.model()[*list].choice);
    }
}

void WebForm::prefer(const present::Preferences& preferences)
{
    enter([&]() -> const present::Update& { return form_.prefer(preferences); });
}

void WebForm::show(bool shown)
{
    enter([&]() -> const present::Update& { return form_.show(shown); });
}

void WebForm::tick(void* slot)
{
    auto* timer = static_cast<TimerSlot*>(slot);
    timer->form->enter([timer]() -> const present::Update& { return timer->form->form_.tick(timer->part); });
}

void WebForm::running(Part timer, bool running)
{
    TimerSlot& slot = timers_[design::timerIndex(timer)];
    if (running && slot.interval == 0) {
        slot.interval = emscripten_set_interval(&WebForm::tick, design::timer(timer).intervalMs, &slot);
    } else if (!running && slot.interval != 0) {
        emscripten_clear_interval(slot.interval);
        slot.interval = 0;
    }
}

void WebForm::caption(Part part, const std::string& caption)
{
    dom::setCaption(at(part), markup::shownCaption(part, caption));
}

// The page's style sheet holds the look for every setting the browser
// reports (prefers-contrast, forced-colors), written from the same look, so
// the browser switches it itself.
void WebForm::look(const present::Look& /*look*/)
{
}

// A label's text; a button's and a list's text colours are the style
// sheet's, by state.
void WebForm::colour(Part part, const present::Ink& colour)
{
    dom::setColour(at(part), markup::cssInk(colour));
}

void WebForm::visible(Part part, bool visible, bool inTree)
{
    dom::setVisible(at(part), visible, !inTree);
}

void WebForm::enabled(Part part, bool enabled)
{
    dom::setEnabled(at(part), enabled);
}

void WebForm::choice(Part list, int entry)
{
    dom::setChoice(at(list), entry);
}

void WebForm::inTree(Part part, bool inTree)
{
    dom::setInTree(at(part), inTree);
}

void WebForm::name(Part part, const std::string& name)
{
    dom::setName(at(part), name);
}

void WebForm::description(Part part, const std::string& description)
{
    dom::setDescription(at(part), description);
}

void WebForm::focus(Part part)
{
    dom::focus(at(part));
}

void WebForm::announce(const present::Announcement& said)
{
    dom::announce(said.text, said.urgent, said.carrier ? at(*said.carrier) : -1);
}

void WebForm::requestCounter(const CounterPlan& plan)
{
    dom::requestQuietly(plan.page.absolute(), static_cast<int>(plan.deadline.count()));
}

void WebForm::apply(const present::Update& update)
{
    present::apply(update, form_.model(), *this, &dom::reportToConsole);
}

} // namespace vorlen::web
