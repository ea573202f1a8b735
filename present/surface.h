// What a front end does with the window model's update, as one routine over a
// small surface of setters that each front end implements for its toolkit:
// the parts that changed, each with every property that changed, in the order
// of design::Part; then the focus; then the announcement; last the
// visit-counter request. A part out of the accessibility tree is never
// named, and is shown and hidden as quietly as the toolkit allows; a part
// that joins the tree is named first. Each part's setters run inside the
// failure boundary: a part that refuses its change is reported under its
// design name and the others are still applied.
#pragma once

#include "present/form.h"

#include <string>

namespace vorlen::present {

class Surface {
public:
    virtual ~Surface() = default;

    // The whole look, first: the settings changed it.
    virtual void look(const Look& look) = 0;
    // A label's or button's caption, Text1's text.
    virtual void caption(Part part, const std::string& caption) = 0;
    // A label's text colour.
    virtual void colour(Part part, const Ink& colour) = 0;
    // inTree false: a part out of the accessibility tree, whose showing and
    // hiding no screen reader is to hear of.
    virtual void visible(Part part, bool visible, bool inTree) = 0;
    virtual void enabled(Part part, bool enabled) = 0;
    virtual void choice(Part list, int entry) = 0;
    virtual void running(Part timer, bool running) = 0;
    // Into the tree with its role (role(part)), or out of it.
    virtual void inTree(Part part, bool inTree) = 0;
    virtual void name(Part part, const std::string& name) = 0;
    virtual void description(Part part, const std::string& description) = 0;
    virtual void focus(Part part) = 0;
    virtual void announce(const Announcement& announcement) = 0;
    virtual void requestCounter(const CounterPlan& plan) = 0;
    // After everything else: what the toolkit had to leave until the focus moved.
    virtual void settled() {}
};

// Applies the update to the surface, the parts as the model holds them now.
void apply(const Update& update, const WindowModel& model, Surface& surface, const FailureReport& report);

} // namespace vorlen::present
