#include "present/surface.h"

#include <string_view>

namespace vorlen::present {

namespace {

void applyPart(const Change& change, const PartState& state, Surface& surface)
{
    const Part part = change.part;
    const design::Kind kind = design::kind(part);
    if (kind == design::Kind::Timer) {
        if (change.has(Property::Running)) {
            surface.running(part, state.running);
        }
        return;
    }
    const bool labelled =
        kind == design::Kind::Label || kind == design::Kind::Button || kind == design::Kind::TextBox;
    if (change.has(Property::Caption) && labelled) {
        surface.caption(part, state.caption);
    }
    if (change.has(Property::Colour) && kind == design::Kind::Label) {
        surface.colour(part, state.colour);
    }
    if (change.has(Property::Choice) && kind == design::Kind::List) {
        surface.choice(part, state.choice);
    }
    if (change.has(Property::Enabled)) {
        surface.enabled(part, state.enabled);
    }
    if (change.has(Property::Tree) && !state.inTree) {
        surface.inTree(part, false);
    }
    if (change.has(Property::Visible)) {
        surface.visible(part, state.visible, state.inTree);
    }
    if (!state.inTree) {
        return; // out of the tree: nothing to name
    }
    const bool joins = change.has(Property::Tree);
    if (change.has(Property::Name) || joins) {
        surface.name(part, state.name);
    }
    if (change.has(Property::Description) || joins) {
        surface.description(part, state.description);
    }
    if (joins) {
        surface.inTree(part, true);
    }
}

} // namespace

void apply(const Update& update, const WindowModel& model, Surface& surface, const FailureReport& report)
{
    if (update.look) {
        runReportingFailure(report, "look", [&] { surface.look(*update.look); });
    }
    for (const Change& change : update.changes) {
        runReportingFailure(report, design::name(change.part),
                            [&] { applyPart(change, model[change.part], surface); });
    }
    if (update.focus) {
        runReportingFailure(report, "focus", [&] { surface.focus(*update.focus); });
    }
    if (update.announcement) {
        runReportingFailure(report, "announcement", [&] { surface.announce(*update.announcement); });
    }
    if (update.counterRequest) {
        runReportingFailure(report, "counter", [&] { surface.requestCounter(*update.counterRequest); });
    }
    runReportingFailure(report, "window", [&] { surface.settled(); });
}

} // namespace vorlen::present
