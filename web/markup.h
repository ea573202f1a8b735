// The names in the page's markup that the page writer (page.*, page_style.*)
// writes and the bridge (dom.*, web_form.*, bridge.js) finds, and what both
// show of a caption and a colour, so that the page as written and as the
// program changes it read alike. What each element holds, and how the bridge
// changes it, is the opening comment of bridge.js; the start-up script
// (page.js) reads the names marked so, by the same spelling.
#pragma once

#include "design/design.h"
#include "design/system_colours.h"
#include "present/drawing.h"

#include <string>
#include <string_view>

namespace vorlen::web::markup {

using design::Part;

// Every part's element has its design name for id (design::name); the timers
// have none.

// The regions that say announcements: politely, and urgently.
inline constexpr const char* statusRegion = "status";
inline constexpr const char* alertRegion = "alert";

// The class of what only a screen reader reads: a label's name apart from its
// caption, the window's heading, the two regions.
inline constexpr const char* spokenClass = "spoken";

// The class that hides a part out of the accessibility tree by its look
// alone, where hidden would be heard.
inline constexpr const char* offClass = "off";

// The attribute, always "true" where it is, that keeps from screen readers a
// caption as shown (the child of a button or a label that holds it), or a
// part left out of the tree (then the part holds its caption itself).
inline constexpr const char* outOfTree = "aria-hidden";

// Set on <html> by the bridge once the load step is applied and input is
// routed; the tests wait for it.
inline constexpr const char* readyAttribute = "data-vorlen";
inline constexpr const char* readyValue = "ready";

// page.js: the notice it shows where the program cannot run, and the window
// element's attributes with the window's drawn size in CSS pixels.
inline constexpr const char* unsupportedId = "unsupported";
inline constexpr const char* drawnWidth = "data-width";
inline constexpr const char* drawnHeight = "data-height";

// A design colour (0x00BBGGRR) as CSS "#rrggbb".
[[nodiscard]] std::string cssColour(Colour colour);

// A system colour role by its CSS name.
[[nodiscard]] std::string_view systemColourName(design::SystemColour role);

// A colour as the bridge sets it: by its role where it has one.
[[nodiscard]] std::string cssInk(const present::Ink& ink);

// A caption as it is shown: a label that keeps its drawn box breaks its
// lines at carriage returns; everything else shows the caption as it is.
[[nodiscard]] std::string shownCaption(Part part, const std::string& caption);

} // namespace vorlen::web::markup
