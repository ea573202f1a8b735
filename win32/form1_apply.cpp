// The window as the surface that the model's updates are applied to
// (present/surface.h): captions, colours, visible and enabled states, the
// lists' choices, Text1's text, the timers, and what screen readers read
// (place in the tree, names, descriptions), the keyboard focus, the
// announcement and the visit-counter request, each through Win32.
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
    // In the window's reading order: the panels as drawn, each control in
    // the order its panel was drawn with.
    const auto add = [this](Part part) {
        const present::Role role = present::role(part);
        if (role != present::Role::LeftOut) {
            const present::PartState& state = form_->model()[part];
            accessibility_->add(parts_->hwnd(part), msaaRole(role), widen(state.name),
                                widen(state.description), state.inTree);
        }
    };
    for (const design::Panel& row : design::panels) {
        add(row.part);
    }
    for (const design::Control& row : design::controls) {
        add(row.part);
    }
}

void Form1::setTimer(Part timer, bool running)
{
    const design::Timer& row = design::timer(timer);
    const auto id = static_cast<UINT_PTR>(row.id);
    if (!running) {
        KillTimer(window_, id);
    } else if (SetTimer(window_, id, static_cast<UINT>(row.intervalMs), nullptr) == 0) {
        throw std::runtime_error("no timer to be had");
    }
}

void Form1::caption(Part part, const std::string& caption)
{
    switch (design::kind(part)) {
    case design::Kind::Label:
        parts_->label(part).setCaption(widen(caption));
        break;
    case design::Kind::Button:
        parts_->button(part).setCaption(widen(caption));
        break;
    case design::Kind::TextBox:
        if (SetWindowTextW(parts_->hwnd(part), widen(caption).c_str()) == FALSE) {
            throw std::runtime_error("the text box refused its text");
        }
        break;
    default:
        break;
    }
}

void Form1::look(const present::Look& look)
{
    ground_ = look.ground;
    parts_->setLook(look);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form1::colour(Part part, const present::Ink& colour)
{
    parts_->label(part).setColour(colour);
}

void Form1::visible(Part part, bool visible, bool inTree)
{
    if (!inTree && design::kind(part) == design::Kind::Label) {
        // Out of the tree, and blinking: by its paint, which no screen
        // reader hears of, where ShowWindow would raise a show or hide event.
        parts_->label(part).setShown(visible);
    } else {
        ShowWindow(parts_->hwnd(part), visible ? SW_SHOWNA : SW_HIDE);
    }
}

void Form1::enabled(Part part, bool enabled)
{
    HWND window = parts_->hwnd(part);
    EnableWindow(window, enabled ? TRUE : FALSE);
    if (design::kind(part) == design::Kind::Panel) {
        // The buttons of a locked panel drop their hover look.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

void Form1::choice(Part list, int entry)
{
    SendMessageW(parts_->hwnd(list), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

void Form1::running(Part timer, bool running)
{
    setTimer(timer, running);
}

void Form1::inTree(Part part, bool inTree)
{
    accessibility_->setInTree(parts_->hwnd(part), inTree);
}

void Form1::name(Part part, const std::string& name)
{
    accessibility_->setName(parts_->hwnd(part), widen(name));
}

void Form1::description(Part part, const std::string& description)
{
    accessibility_->setDescription(parts_->hwnd(part), widen(description));
}

void Form1::focus(Part part)
{
    HWND target = parts_->hwnd(part);
    focusToRestore_ = target;
    // Never taken from another window: an inactive window gets the focus
    // back where the model left it when it is activated.
    if (GetActiveWindow() == window_ && IsWindowVisible(window_) != FALSE) {
        SetFocus(target);
    }
}

void Form1::announce(const present::Announcement& said)
{
    accessibility_->announce(widen(said.text), said.urgent,
                             said.carrier ? parts_->hwnd(*said.carrier) : nullptr);
}

void Form1::requestCounter(const CounterPlan& plan)
{
    sendOverWinInet(plan);
}

void Form1::apply(const present::Update& update)
{
    present::apply(update, form_->model(), *this, [this](const std::string& line) { report(line); });
}

} // namespace vorlen::win32
