// The program's one window: it builds its parts from the design table, runs
// the window model's load step just before the window is first shown, passes
// every press, list choice and timer tick to the window model, and applies
// what each one changed before its handler returns, the visit-counter
// request included. The quiz rules live in the engine, what the child sees
// and hears in the window model, the window as drawn in the design table;
// this is the wiring.
#pragma once

#include "engine/quiz_engine.h"
#include "present/form.h"
#include "window/window_parts.h"

#include <QWidget>

#include <memory>

namespace vorlen {
class ScreenReader;
} // namespace vorlen

// Outside the program's namespace, under its name in the design; everything
// it is built from lives in namespace vorlen.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // The window model's own: the window adds nothing to them.
    using Options = vorlen::present::Form::Options;

    Form1();
    explicit Form1(Options options, QWidget* parent = nullptr);
    ~Form1() override;

    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The first show runs the load step before anything is drawn.
    void setVisible(bool visible) override;

    [[nodiscard]] const vorlen::WindowParts& parts() const { return parts_; }
    [[nodiscard]] const vorlen::present::WindowModel& model() const { return form_->model(); }
    [[nodiscard]] const vorlen::QuizState& quizState() const { return form_->quizState(); }

private:
    friend struct vorlen::present::FormProbe;

    void connectEvents();
    // Shows what the event changed: the parts, then the focus, then what is said.
    void apply(const vorlen::present::Update& update);

    Options options_;
    vorlen::WindowParts parts_;
    std::unique_ptr<vorlen::present::Form> form_;
    std::unique_ptr<vorlen::ScreenReader> screenReader_;
    bool applying_ = false; // the window itself is writing to its widgets
};
