// Form1 in the browser: the window model and its engine behind the page that
// vorlen_web_page wrote. It routes the child's presses and choices and the
// timers' ticks into the model and applies every update to the page's
// elements; the visit-counter request goes out through the browser's fetch,
// which chooses any proxy itself.
#pragma once

#include "engine/failure_boundary.h"
#include "present/form.h"
#include "present/surface.h"

#include <array>
#include <chrono>
#include <string>
#include <string_view>

namespace vorlen::web {

using design::Part;

// The visit-counter request's deadline from the page address's query: the
// value of counterDeadline in milliseconds, 1 to 15000, for tests that
// cannot wait 15 s. Anything else is reported and gives the default.
[[nodiscard]] std::chrono::milliseconds counterDeadline(std::string_view query, const FailureReport& report);

// The surface the model's updates are applied to is the page (dom.h).
class WebForm : private present::Surface {
public:
    explicit WebForm(std::chrono::milliseconds counterDeadline);
    WebForm(const WebForm&) = delete;
    WebForm& operator=(const WebForm&) = delete;
    ~WebForm() override;

    // Finds the page's elements, runs the load step and applies it, then
    // marks the page ready.
    void start();

    // The child's press of a button, and choice in a list, by part index;
    // anything that is no such part is ignored.
    void press(int part);
    void choose(int part, int entry);

    // The child's system settings as the page's media queries read them,
    // and whether anyone can see the page.
    void prefer(const present::Preferences& preferences);
    void show(bool shown);

private:
    struct TimerSlot {
        WebForm* form = nullptr;
        Part part = Part::Timer1;
        long interval = 0; // the browser's id while it runs, else 0
    };

    static void tick(void* slot);
    void apply(const present::Update& update);
    template <typename Event> void enter(Event&& event);

    // The surface, for the page's elements.
    void caption(Part part, const std::string& caption) override;
    void look(const present::Look& look) override;
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

    present::Form form_;
    std::array<TimerSlot, design::timers.size()> timers_{};
};

} // namespace vorlen::web
