#include "win32/adapters.h"

#include "win32/quiz_label.h"
#include "win32/unicode.h"

#include <stdexcept>

namespace vorlen::win32 {

namespace {

// Writes a window text only when it changes, so that nothing repaints or
// resizes for a caption that stays the same.
void setText(HWND window, const std::string& text)
{
    const std::wstring wanted = widen(text);
    if (windowText(window) != wanted && SetWindowTextW(window, wanted.c_str()) == FALSE) {
        throw std::runtime_error("the control refused its text");
    }
}

void show(HWND window, bool visible)
{
    ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

} // namespace

void LabelAdapter::setCaption(const std::string& text)
{
    setText(label_.hwnd(), text);
}

void LabelAdapter::setForeColor(Colour colour)
{
    label_.setColour(colour);
}

void LabelAdapter::setVisible(bool visible)
{
    show(label_.hwnd(), visible);
}

std::string ButtonAdapter::caption() const
{
    return narrow(windowText(button_));
}

void ButtonAdapter::setCaption(const std::string& text)
{
    setText(button_, text);
}

void ButtonAdapter::setEnabled(bool enabled)
{
    EnableWindow(button_, enabled ? TRUE : FALSE);
}

bool PanelAdapter::isVisible() const
{
    // The panel's own setting, whether or not the window is on screen yet.
    return (GetWindowLongPtrW(panel_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void PanelAdapter::setVisible(bool visible)
{
    show(panel_, visible);
}

void PanelAdapter::setEnabled(bool enabled)
{
    EnableWindow(panel_, enabled ? TRUE : FALSE);
}

void ListAdapter::setListIndex(int index)
{
    const auto count = SendMessageW(list_, CB_GETCOUNT, 0, 0);
    if (index < -1 || index >= count) {
        throw std::out_of_range("no such list entry");
    }
    SendMessageW(list_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string ListAdapter::text() const
{
    const auto index = SendMessageW(list_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return {};
    }
    const auto length = SendMessageW(list_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return narrow(text);
}

void ListAdapter::setEnabled(bool enabled)
{
    EnableWindow(list_, enabled ? TRUE : FALSE);
}

std::string TextBoxAdapter::text() const
{
    return narrow(windowText(box_));
}

void TextBoxAdapter::setText(const std::string& text)
{
    if (SetWindowTextW(box_, widen(text).c_str()) == FALSE) {
        throw std::runtime_error("the text box refused its text");
    }
}

void TimerAdapter::setEnabled(bool enabled)
{
    // Enabling a running timer leaves its rhythm alone.
    if (!enabled) {
        if (running_) {
            KillTimer(window_, id_);
            running_ = false;
        }
    } else if (!running_) {
        if (SetTimer(window_, id_, interval_, nullptr) == 0) {
            throw std::runtime_error("no timer to be had");
        }
        running_ = true;
    }
}

} // namespace vorlen::win32
