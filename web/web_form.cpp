#include "web/web_form.h"

#include "web/dom.h"
#include "web/page.h"

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
        run(timer.part, form_.model()[timer.part].running);
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

void WebForm::run(Part timer, bool running)
{
    TimerSlot& slot = timers_[design::timerIndex(timer)];
    if (running && slot.interval == 0) {
        slot.interval = emscripten_set_interval(&WebForm::tick, design::timer(timer).intervalMs, &slot);
    } else if (!running && slot.interval != 0) {
        emscripten_clear_interval(slot.interval);
        slot.interval = 0;
    }
}

void WebForm::apply(const present::Update& update)
{
    for (const present::Change& change : update.changes) {
        const present::PartState& state = form_.model()[change.part];
        const int part = at(change.part);
        const design::Kind kind = design::kind(change.part);
        if (change.has(Property::Caption) &&
            (kind == design::Kind::Label || kind == design::Kind::Button || kind == design::Kind::TextBox)) {
            dom::setCaption(part, shownCaption(change.part, state.caption));
        }
        // A button's and a list's text colours are the style sheet's, by state.
        if (change.has(Property::Colour) && kind == design::Kind::Label) {
            dom::setColour(part, cssColour(state.colour));
        }
        if (change.has(Property::Visible)) {
            dom::setVisible(part, state.visible);
        }
        if (change.has(Property::Enabled)) {
            dom::setEnabled(part, state.enabled);
        }
        if (change.has(Property::Choice) && kind == design::Kind::List) {
            dom::setChoice(part, state.choice);
        }
        if (change.has(Property::Running) && kind == design::Kind::Timer) {
            run(change.part, state.running);
        }
        if (present::role(change.part) == present::Role::LeftOut) {
            continue; // out of the accessibility tree: nothing to name
        }
        if (change.has(Property::Name)) {
            dom::setName(part, state.name);
        }
        if (change.has(Property::Description)) {
            dom::setDescription(part, state.description);
        }
    }
    if (update.focus) {
        dom::focus(at(*update.focus));
    }
    if (update.announcement) {
        const present::Announcement& said = *update.announcement;
        dom::announce(said.text, said.urgent, said.carrier ? at(*said.carrier) : -1);
    }
    if (update.counterRequest) {
        dom::requestQuietly(update.counterRequest->page.absolute(),
                            static_cast<int>(update.counterRequest->deadline.count()));
    }
}

} // namespace vorlen::web
