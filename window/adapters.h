// The engine's view of the window's widgets: each adapter holds one widget
// and offers the few operations the engine uses, in the engine's types
// (UTF-8 text, 0x00BBGGRR colours). They add no behaviour of their own.
#pragma once

#include "engine/controls.h"

class QComboBox;
class QLineEdit;
class QTimer;
class QWidget;

namespace vorlen {

class QuizButton;
class QuizLabel;

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

} // namespace vorlen
