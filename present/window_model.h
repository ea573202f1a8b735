// What every part of the window holds now: the captions, colours, visible
// and enabled states, the lists' choices, Text1's text and whether each timer
// runs, as the quiz engine last left them, with what a screen reader calls
// each part. It starts from the design table and stands behind the engine's
// control interfaces, so the engine writes only here and reads only from
// here. What it shows the front ends is that state as the child's system
// settings and a hidden window want it (presented.cpp); a front end reads
// what changed there since it last looked and applies only that. It knows no
// widget and decides nothing about the quiz.
#pragma once

#include "design/design.h"
#include "engine/controls.h"
#include "present/drawing.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorlen::present {

using design::Part;

// What a front end may have to apply to one part.
enum class Property : std::uint16_t {
    Caption = 1U << 0U, // a label's or button's caption, Text1's text
    Colour = 1U << 1U,  // a label's text colour (the window's look comes whole, Update::look)
    Visible = 1U << 2U,
    Enabled = 1U << 3U,
    Choice = 1U << 4U,      // a list's chosen entry
    Running = 1U << 5U,     // a timer runs
    Name = 1U << 6U,        // what a screen reader calls it
    Description = 1U << 7U, // what a screen reader adds to the name
    Tree = 1U << 8U,        // whether a screen reader finds it at all
};

// One part whose state differs from what the front end last applied.
struct Change {
    Part part;
    std::uint16_t what; // Property bits

    [[nodiscard]] bool has(Property property) const
    {
        return (what & static_cast<std::uint16_t>(property)) != 0;
    }
};

struct PartState {
    std::string caption; // labels and buttons; Text1's text
    Ink colour;          // labels' text
    bool visible = true;
    bool enabled = true;
    int choice = -1;      // lists: the chosen entry, -1 for none
    bool running = false; // timers
    std::string name;     // what a screen reader calls the part
    std::string description;
    bool inTree = true; // in the accessibility tree; out of it, its name is never given
};

// The child's system settings.
struct Preferences {
    bool reducedMotion = false; // the system asks for less motion
    bool moreContrast = false;  // the system asks for more contrast
    bool forcedColours = false; // the system's own colours replace the window's (high contrast)
    bool operator==(const Preferences&) const = default;
};

// What the front ends' view of the window depends on beside the engine.
struct Circumstances {
    Preferences preferences;
    bool shown = true; // someone can see the window: it is neither hidden nor minimised
};

// A part as the front ends show it: the engine's state, with less motion,
// more contrast and a hidden window taken into account. ticked: the timer
// ticked since the engine last started it.
[[nodiscard]] PartState presented(Part part, const PartState& engine, const Circumstances& circumstances,
                                  bool ticked);

class WindowModel {
public:
    WindowModel();
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;
    ~WindowModel();

    // The part as the front ends show it.
    [[nodiscard]] const PartState& operator[](Part part) const { return presented_[design::index(part)]; }

    // The engine's view of the window, with the front end's web browser.
    [[nodiscard]] Controls controls(WebBrowser& browser);

    // A choice the child made in a list: the list shows it already.
    void choose(Part list, int entry);

    // A list's chosen entry as text; empty when none is chosen.
    [[nodiscard]] std::string choiceText(Part list) const;

    // Whether the keyboard focus could rest on the part now: it and its
    // panel are visible and enabled.
    [[nodiscard]] bool canTakeFocus(Part part) const;

    void setName(Part part, std::string name);
    void setDescription(Part part, std::string description);
    void setInTree(Part part, bool inTree);

    [[nodiscard]] const Circumstances& circumstances() const { return circumstances_; }
    void setCircumstances(const Circumstances& circumstances);

    // A tick of the timer is about to run.
    void ticking(Part timer);

    // Appends the parts that differ from what was last taken, in the order of
    // Part, each once with every property that differs, and takes them.
    void takeChanges(std::vector<Change>& into);

private:
    class View;

    PartState& at(Part part) { return now_[design::index(part)]; }
    void refresh(Part part);

    std::array<PartState, design::partCount> now_;       // as the engine left it
    std::array<PartState, design::partCount> presented_; // as the front ends are to show it
    std::array<PartState, design::partCount> shown_;     // as they were last told
    std::array<bool, design::partCount> ticked_{};       // a timer ticked since it was started
    Circumstances circumstances_;
    std::array<std::unique_ptr<View>, design::partCount> views_;
};

} // namespace vorlen::present
