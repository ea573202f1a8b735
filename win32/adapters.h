// The engine's view of the window's controls: each adapter holds one window
// and offers the few operations the engine uses, in the engine's types
// (UTF-8 text, 0x00BBGGRR colours, which is also GDI's COLORREF order). They
// add no behaviour of their own.
#pragma once

#include "engine/controls.h"

#include <windows.h>

namespace vorlen::win32 {

class QuizLabel;

class LabelAdapter final : public Label {
public:
    explicit LabelAdapter(QuizLabel& label) : label_(label) {}
    void setCaption(const std::string& text) override;
    void setForeColor(Colour colour) override;
    void setVisible(bool visible) override;

private:
    QuizLabel& label_;
};

class ButtonAdapter final : public Button {
public:
    explicit ButtonAdapter(HWND button) : button_(button) {}
    [[nodiscard]] std::string caption() const override;
    void setCaption(const std::string& text) override;
    void setEnabled(bool enabled) override;

private:
    HWND button_;
};

class PanelAdapter final : public Panel {
public:
    explicit PanelAdapter(HWND panel) : panel_(panel) {}
    [[nodiscard]] bool isVisible() const override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;

private:
    HWND panel_;
};

class ListAdapter final : public DropDownList {
public:
    explicit ListAdapter(HWND list) : list_(list) {}
    void setListIndex(int index) override;
    [[nodiscard]] std::string text() const override;
    void setEnabled(bool enabled) override;

private:
    HWND list_;
};

class TextBoxAdapter final : public TextBox {
public:
    explicit TextBoxAdapter(HWND box) : box_(box) {}
    [[nodiscard]] std::string text() const override;
    void setText(const std::string& text) override;

private:
    HWND box_;
};

// A window timer (SetTimer) of the window that gets its WM_TIMER.
class TimerAdapter final : public Timer {
public:
    TimerAdapter(HWND window, UINT_PTR id, UINT intervalMs) : window_(window), id_(id), interval_(intervalMs)
    {
    }
    void setEnabled(bool enabled) override;
    [[nodiscard]] bool isRunning() const { return running_; }
    [[nodiscard]] UINT interval() const { return interval_; }

private:
    HWND window_;
    UINT_PTR id_;
    UINT interval_;
    bool running_ = false;
};

} // namespace vorlen::win32
