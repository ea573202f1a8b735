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
#include "present/surface.h"
#include "window/window_parts.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace vorlen {
class ScreenReader;
} // namespace vorlen

// Outside the program's namespace, under its name in the design; everything
// it is built from lives in namespace vorlen. It is the surface the window
// model's updates are applied to (present/surface.h).
class Form1 : public QWidget, private vorlen::present::Surface {
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

    // The child's desktop settings, at any time (window/desktop_settings.h).
    void prefer(const vorlen::present::Preferences& preferences);

    [[nodiscard]] const vorlen::WindowParts& parts() const { return parts_; }
    [[nodiscard]] const vorlen::present::WindowModel& model() const { return form_->model(); }
    [[nodiscard]] const vorlen::QuizState& quizState() const { return form_->quizState(); }

protected:
    // Minimised, nobody sees the samples.
    void changeEvent(QEvent* event) override;

private:
    friend struct vorlen::present::FormProbe;

    void connectEvents();
    // Shows what the event changed: the parts, then the focus, then what is said.
    void apply(const vorlen::present::Update& update);

    // The surface, for Qt's widgets.
    using Part = vorlen::design::Part;
    void look(const vorlen::present::Look& look) override;
    void caption(Part part, const std::string& caption) override;
    void colour(Part part, const vorlen::present::Ink& colour) override;
    void visible(Part part, bool visible, bool inTree) override;
    void enabled(Part part, bool enabled) override;
    void choice(Part list, int entry) override;
    void running(Part timer, bool running) override;
    void inTree(Part part, bool inTree) override;
    void name(Part part, const std::string& name) override;
    void description(Part part, const std::string& description) override;
    void focus(Part part) override;
    void announce(const vorlen::present::Announcement& announcement) override;
    void requestCounter(const vorlen::CounterPlan& plan) override;
    void settled() override;

    Options options_;
    vorlen::WindowParts parts_;
    std::unique_ptr<vorlen::present::Form> form_;
    std::unique_ptr<vorlen::ScreenReader> screenReader_;
    bool applying_ = false; // the window itself is writing to its widgets
    // Parts that held the keyboard focus when told to hide: they hide once
    // the focus has moved, or Qt would pass it on to the next control in the
    // tab order, which a screen reader would start to say.
    std::vector<QWidget*> hideAfterFocus_;
};
