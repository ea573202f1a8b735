// What the child's system settings and a hidden window change in what the
// front ends show, part by part; the engine's own state stays as it left it.
#include "present/look.h"
#include "present/window_model.h"

namespace vorlen::present {

PartState presented(Part part, const PartState& engine, const Circumstances& circumstances, bool ticked)
{
    const Preferences& preferences = circumstances.preferences;
    PartState state = engine;
    switch (part) {
    case Part::Timer1:
        // The idle samples: with less motion, one still sample after each
        // start, so that none of the last quiz's questions stays; none while
        // nobody sees the window.
        state.running = engine.running && circumstances.shown && !(preferences.reducedMotion && ticked);
        break;
    case Part::Timer2:
        // With less motion the wrong-answer panel holds still, both of its
        // lines shown.
        state.running = engine.running && !preferences.reducedMotion;
        break;
    case Part::Label12:
    case Part::Label13:
        state.visible = engine.visible || preferences.reducedMotion;
        break;
    default:
        break;
    }
    if (design::kind(part) == design::Kind::Label) {
        state.colour = labelInk(engine.colour.colour, preferences);
    }
    return state;
}

} // namespace vorlen::present
