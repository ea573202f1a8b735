// The web page as the browser first paints it: Form1 as it stands after the
// load step, written out at build time into the page template (page.html.in)
// with its style sheet (page.css) and start-up script (page.js), so that the
// window shows before the program has even been fetched. Every panel,
// control and line is one element at its design place (1 px per 15 twips),
// with its caption, font, colours, state and what a screen reader calls it;
// the bridge then finds each element by the names in markup.h and applies
// the window model's updates to it.
#pragma once

#include "present/window_model.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorlen::web {

using design::Part;

// The page's web files, as read from web/, and how to hash an inline piece
// for the Content-Security-Policy: the SHA-256 digest in base64.
struct PageSources {
    std::string_view html;
    std::string_view css;
    std::string_view js;
    std::string (*sha256Base64)(std::string_view text);
};

// The whole document for a model that has been through the load step, with
// the keyboard focus where the load step left it.
[[nodiscard]] std::string page(const present::WindowModel& model, std::optional<Part> focused,
                               const PageSources& sources);

} // namespace vorlen::web
