// What the model says changed, applied to the parts: captions, colours,
// visible and enabled states, the lists' choices, Text1's text, the timers,
// and what screen readers read (names, descriptions), then the keyboard
// focus, then the announcement, and last the visit-counter request. Each
// step runs inside the failure boundary: a part that cannot take its change
// is reported and the rest go on.
#include "engine/failure_boundary.h"
#include "present/spoken.h"
#include "win32/accessibility.h"
#include "win32/counter_transport.h"
#include "win32/form1.h"
#include "win32/parts.h"
#include "win32/unicode.h"

#include <oleacc.h>
#include <stdexcept>
#include <string>

namespace vorlen::win32 {

namespace {

using present::Property;

long msaaRole(present::Role role)
{
    switch (role) {
    case present::Role::Grouping:
        return ROLE_SYSTEM_GROUPING;
    case present::Role::Alert:
        return ROLE_SYSTEM_ALERT;
    case present::Role::StaticText:
        return ROLE_SYSTEM_STATICTEXT;
    case present::Role::Button:
        return ROLE_SYSTEM_PUSHBUTTON;
    case present::Role::List:
        return ROLE_SYSTEM_COMBOBOX;
    case present::Role::Graphic:
        return ROLE_SYSTEM_GRAPHIC;
    case present::Role::LeftOut:
        break;
    }
    return ROLE_SYSTEM_CLIENT;
}

} // namespace

void Form1::buildAccessibility()
{
    accessibility_ = std::make_unique<Accessibility>(window_);
    accessibility_->add(window_, ROLE_SYSTEM_CLIENT, widen(present::phrase::windowName),
                        widen(present::windowDescription()));
    for (std::size_t i = 0; i < design::partCount; ++i) {
        const auto part = static_cast<Part>(i);
        const present::Role role = present::role(part);
        if (role != present::Role::LeftOut) {
            const present::PartState& state = form_->model()[part];
            accessibility_->add(parts_->hwnd(part), msaaRole(role), widen(state.name),
                                widen(state.description));
        }
    }
}

void Form1::setTimer(Part timer, bool running)
{
    const design::Timer& row = design::timer(timer);
    bool& runs = timersRunning_[design::timerIndex(timer)];
    const auto id = static_cast<UINT_PTR>(row.id);
    if (!running) {
        KillTimer(window_, id);
    } else if (SetTimer(window_, id, static_cast<UINT>(row.intervalMs), nullptr) == 0) {
        runs = false;
        throw std::runtime_error("no timer to be had");
    }
    runs = running;
}

void Form1::applyPart(const present::Change& change)
{
    const Part part = change.part;
    const present::PartState& state = form_->model()[part];
    const design::Kind kind = design::kind(part);
    if (kind == design::Kind::Timer) {
        if (change.has(Property::Running)) {
            setTimer(part, state.running);
        }
        return;
    }
    HWND window = parts_->hwnd(part);
    if (change.has(Property::Caption)) {
        switch (kind) {
        case design::Kind::Label:
            parts_->label(part).setCaption(widen(state.caption));
            break;
        case design::Kind::Button:
            parts_->button(part).setCaption(widen(state.caption));
            break;
        case design::Kind::TextBox:
            if (SetWindowTextW(window, widen(state.caption).c_str()) == FALSE) {
                throw std::runtime_error("the text box refused its text");
            }
            break;
        default:
            break;
        }
    }
    if (change.has(Property::Colour) && kind == design::Kind::Label) {
        parts_->label(part).setColour(state.colour);
    }
    if (change.has(Property::Choice) && kind == design::Kind::List) {
        SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(state.choice), 0);
    }
    if (change.has(Property::Enabled)) {
        EnableWindow(window, state.enabled ? TRUE : FALSE);
        if (kind == design::Kind::Panel) {
            // The buttons of a locked panel drop their hover look.
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
    }
    if (change.has(Property::Visible)) {
        ShowWindow(window, state.visible ? SW_SHOWNA : SW_HIDE);
    }
    if (present::role(part) != present::Role::LeftOut) {
        if (change.has(Property::Name)) {
            accessibility_->setName(window, widen(state.name));
        }
        if (change.has(Property::Description)) {
            accessibility_->setDescription(window, widen(state.description));
        }
    }
}

void Form1::apply(const present::Update& update)
{
    const FailureReport reportHere = [this](const std::string& line) { report(line); };
    for (const present::Change& change : update.changes) {
        runReportingFailure(reportHere, design::name(change.part), [&] { applyPart(change); });
    }
    if (update.focus) {
        runReportingFailure(reportHere, "focus", [&] {
            HWND target = parts_->hwnd(*update.focus);
            focusToRestore_ = target;
            // Never taken from another window: an inactive window gets the
            // focus back where the model left it when it is activated.
            if (GetActiveWindow() == window_ && IsWindowVisible(window_) != FALSE) {
                SetFocus(target);
            }
        });
    }
    if (update.announcement) {
        runReportingFailure(reportHere, "announcement", [&] {
            const present::Announcement& said = *update.announcement;
            accessibility_->announce(widen(said.text), said.urgent,
                                     said.carrier ? parts_->hwnd(*said.carrier) : nullptr);
        });
    }
    if (update.counterRequest) {
        sendOverWinInet(*update.counterRequest);
    }
}

} // namespace vorlen::win32
