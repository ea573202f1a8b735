#include "present/look.h"

#include "design/contrast.h"
#include "design/system_colours.h"

namespace vorlen::present {

namespace {

using design::Drawn;

Ink system(Drawn drawn, Colour colour = 0)
{
    return {.colour = colour, .role = design::systemColour(drawn)};
}

// Under forced colours a button is flat on the system's face, its outline and
// text in the system's button text, grey while locked.
ButtonPaint forcedButton(ButtonState state)
{
    const Ink face = system(Drawn::ButtonFace);
    return {.face = face,
            .raised = false,
            .upperEdge = face,
            .lowerEdge = face,
            .outline = system(state.enabled ? Drawn::ButtonOutline : Drawn::ButtonOutlineDisabled),
            .text = system(state.enabled ? Drawn::ButtonText : Drawn::ButtonTextDisabled),
            .textShiftPx = state.enabled && state.pressed ? 1 : 0,
            .focusMark = false};
}

ButtonInks buttonInks(const design::Control& row, const Preferences& preferences)
{
    const auto paint = [&](ButtonState state) {
        return preferences.forcedColours ? forcedButton(state)
                                         : buttonPaint(design::buttonLookFor(preferences.moreContrast),
                                                       row.fore, row.foreHover, state);
    };
    return {.plain = paint({}),
            .hovered = paint({.hovered = true}),
            .pressed = paint({.pressed = true}),
            .pressedHovered = paint({.hovered = true, .pressed = true}),
            .disabled = paint({.enabled = false})};
}

ListInks listInks(const design::Control& row, const Preferences& preferences)
{
    const Ink chosenGround = system(Drawn::ListChosenGround, colour::navy);
    const Ink chosenText = system(Drawn::ListChosenText, colour::white);
    if (preferences.forcedColours) {
        return {.ground = system(Drawn::ListGround),
                .text = system(Drawn::ListText),
                .textDisabled = system(Drawn::ListTextDisabled),
                .outline = system(Drawn::ListText),
                .chosenGround = chosenGround,
                .chosenText = chosenText};
    }
    const design::ButtonLook& look = design::buttonLookFor(preferences.moreContrast);
    const Colour ground = row.back.value_or(colour::white);
    // A locked list greys as a locked button does, from the window's face.
    return {.ground = {ground},
            .text = {preferences.moreContrast ? design::contrasted(row.fore, ground) : row.fore},
            .textDisabled = {design::shaded(design::windowFace, look.greyedText)},
            .outline = {design::shaded(design::windowFace, look.outline)},
            .chosenGround = chosenGround,
            .chosenText = chosenText};
}

} // namespace

ButtonPaint ButtonInks::in(ButtonState state) const
{
    ButtonPaint paint = !state.enabled                   ? disabled
                        : state.pressed && state.hovered ? pressedHovered
                        : state.pressed                  ? pressed
                        : state.hovered                  ? hovered
                                                         : plain;
    paint.focusMark = state.focused;
    return paint;
}

Look look(const Preferences& preferences)
{
    Look made;
    // The platform's own face, as the design leaves it; the page's is the
    // design's grey.
    made.ground = preferences.forcedColours
                      ? system(Drawn::Ground, design::windowFace)
                      : Ink{.colour = design::windowFace, .role = design::SystemColour::ButtonFace};
    made.focusMark = preferences.forcedColours ? system(Drawn::FocusMark) : Ink{};
    for (const design::Control& row : design::controls) {
        if (row.kind == design::Kind::Button) {
            made.buttons[design::index(row.part)] = buttonInks(row, preferences);
        } else if (row.kind == design::Kind::List) {
            made.lists[design::index(row.part)] = listInks(row, preferences);
        }
    }
    for (std::size_t i = 0; i < design::lines.size(); ++i) {
        made.lines[i] = preferences.forcedColours
                            ? system(Drawn::Line)
                            : Ink{design::onWindowFace(design::lines[i].colour, preferences.moreContrast)};
    }
    return made;
}

Ink labelInk(Colour colour, const Preferences& preferences)
{
    return preferences.forcedColours ? system(Drawn::LabelText, colour)
                                     : Ink{design::onWindowFace(colour, preferences.moreContrast)};
}

} // namespace vorlen::present
