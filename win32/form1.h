// The program's one window. It builds its parts from the design table once,
// passes every event (the load step, a press, a list choice, a timer tick)
// to the window model, and applies what the model says changed, where the
// focus goes and what is announced, before the event's handler returns. It
// scales every place, size and font by the window's dpi. The quiz rules and
// what a screen reader hears are decided in the model, not here.
//   form1.cpp           creation, showing, the keyboard focus, failure reports
//   form1_messages.cpp  the window's messages: events in, the fixed size,
//                       the system settings and minimising
//   form1_apply.cpp     applying the model's update to the parts
#pragma once

#include "design/design.h"
#include "engine/controls.h"
#include "present/form.h"
#include "present/surface.h"
#include "win32/system_look.h"
#include "win32/window_class.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <windows.h>

namespace vorlen::win32 {

class Accessibility;
class Parts;

// The window keeps the name it has always had. It is the surface the window
// model's updates are applied to.
class Form1 : private present::Surface {
public:
    struct Options {
        // The window model's; a failure that reaches the window goes to a
        // debugger and a console.
        present::Form::Options form{.reportFailure = &Form1::reportToDebuggerAndConsole};
        // The program ends its message loop when the window closes.
        bool quitOnClose = false;
        // The child's system settings, read at start and whenever they change.
        std::function<present::Preferences()> readPreferences = &systemPreferences;
    };

    Form1();
    explicit Form1(Options options);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }
    [[nodiscard]] int dpi() const { return dpi_; }

    // Runs the load step (once), then shows the window as asked, except
    // maximised: the window keeps its drawn size. The focus goes to the
    // start button once the window is active.
    void show(int how = SW_SHOWNORMAL);

    // For the message loop: Tab and Shift+Tab move the focus along the
    // window's focus order. True when the message was used up.
    bool preTranslate(const MSG& message);

    [[nodiscard]] const Parts& parts() const { return *parts_; }
    [[nodiscard]] const present::Form& form() const { return *form_; }
    [[nodiscard]] const QuizState& quizState() const { return form_->quizState(); }

    // Reports to a debugger (OutputDebugStringW) and, when the program has
    // a console or a redirected standard error, there too.
    static void reportToDebuggerAndConsole(const std::string& line);

private:
    friend class WindowClass<Form1>;
    friend struct present::FormProbe;

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void layout(int dpi);
    void load();
    void command(int id, int code);
    void moveFocus(bool forward);
    void report(const std::string& line) const;

    // Applies what changed, then the focus, then the announcement.
    void apply(const present::Update& update);
    void setTimer(design::Part timer, bool running);

    // The surface, for Win32's windows (form1_apply.cpp).
    using Part = design::Part;
    void look(const present::Look& look) override;
    void caption(Part part, const std::string& caption) override;
    void colour(Part part, const present::Ink& colour) override;
    void visible(Part part, bool visible, bool inTree) override;
    void enabled(Part part, bool enabled) override;
    void choice(Part list, int entry) override;
    void running(Part timer, bool running) override;
    void inTree(Part part, bool inTree) override;
    void name(Part part, const std::string& name) override;
    void description(Part part, const std::string& description) override;
    void focus(Part part) override;
    void announce(const present::Announcement& said) override;
    void requestCounter(const CounterPlan& plan) override;
    // Reads the system settings and passes them to the model and the parts.
    void takePreferences();
    void buildAccessibility();

    Options options_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    HWND focusToRestore_ = nullptr;
    present::Ink ground_; // the window's face

    std::unique_ptr<present::Form> form_;
    std::unique_ptr<Parts> parts_;
    std::unique_ptr<Accessibility> accessibility_;
};

} // namespace vorlen::win32
