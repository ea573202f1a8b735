// The engine's view of the window's widgets: each adapter holds one widget
// and offers the few operations the engine uses, in the engine's types
// (UTF-8 text, 0x00BBGGRR colours). They add no behaviour of their own.
#pragma once

#include "engine/controls.h"

#include <array>

class QComboBox;
class QLineEdit;
class QTimer;
class QWidget;

namespace vorlen {

class QuizButton;
class QuizLabel;
struct WindowParts;

class LabelAdapter final : public Label {
public:
    explicit LabelAdapter(QuizLabel* label) : label_(label) {}
    void setCaption(const std::string& text) override;
    void setForeColor(Colour colour) override;
    void setVisible(bool visible) override;

private:
    QuizLabel* label_;
};

class ButtonAdapter final : public Button {
public:
    explicit ButtonAdapter(QuizButton* button) : button_(button) {}
    [[nodiscard]] std::string caption() const override;
    void setCaption(const std::string& text) override;
    void setEnabled(bool enabled) override;

private:
    QuizButton* button_;
};

class PanelAdapter final : public Panel {
public:
    explicit PanelAdapter(QWidget* panel) : panel_(panel) {}
    [[nodiscard]] bool isVisible() const override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;

private:
    QWidget* panel_;
};

class ListAdapter final : public DropDownList {
public:
    explicit ListAdapter(QComboBox* list) : list_(list) {}
    void setListIndex(int index) override;
    [[nodiscard]] std::string text() const override;
    void setEnabled(bool enabled) override;

private:
    QComboBox* list_;
};

class TextBoxAdapter final : public TextBox {
public:
    explicit TextBoxAdapter(QLineEdit* box) : box_(box) {}
    [[nodiscard]] std::string text() const override;
    void setText(const std::string& text) override;

private:
    QLineEdit* box_;
};

class TimerAdapter final : public Timer {
public:
    explicit TimerAdapter(QTimer* timer) : timer_(timer) {}
    void setEnabled(bool enabled) override;

private:
    QTimer* timer_;
};

// One adapter for every control of the window that the engine touches, made
// once from the window's parts, and the bundle of them that the engine takes.
class EngineControls {
public:
    EngineControls(const WindowParts& parts, WebBrowser& browser);

    EngineControls(const EngineControls&) = delete;
    EngineControls& operator=(const EngineControls&) = delete;

    [[nodiscard]] Controls controls();

private:
    std::array<LabelAdapter, 13> labels_;  // Label1..Label13
    std::array<PanelAdapter, 5> frames_;   // Frame1..Frame5
    std::array<ButtonAdapter, 4> answers_; // cev1..cev4
    std::array<ButtonAdapter, 3> buttons_; // command9, chameleonButton1, chameleonButton2
    std::array<ListAdapter, 2> lists_;     // Combo1, Combo2
    TextBoxAdapter text1_;
    std::array<TimerAdapter, 3> timers_; // Timer1..Timer3
    WebBrowser& browser_;
};

} // namespace vorlen
