// The page's style rules made from the design table: the colours and the
// button look as custom properties, one class per font, and one rule per
// part with its place, stacking and colours, ahead of page.css, which uses
// them. Only the page writer (page.cpp) reads this.
#pragma once

#include "present/window_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorlen::web {

using design::Part;

// The fonts in use, each once, in the order the design first names them.
[[nodiscard]] std::vector<design::Font> fontsInUse();

// The class of a font in use: "font-" and its place in fontsInUse().
[[nodiscard]] std::string fontClass(const std::vector<design::Font>& fonts, const design::Font& font);

// The whole style sheet: the design's rules for the model as it stands,
// then the page's own sheet.
[[nodiscard]] std::string styleSheet(const std::vector<design::Font>& fonts,
                                     const present::WindowModel& model, std::string_view pageCss);

} // namespace vorlen::web
