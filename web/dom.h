// The thin bridge to the page's elements, one call per kind of change, each
// passed to its function in bridge.js. A part is its index in design::Part;
// the elements are the page's, found by their design names once at start.
// Nothing here decides anything.
#pragma once

#include <string>
#include <string_view>

namespace vorlen::web::dom {

// Finds the elements by their design names (space-separated, in the order of
// design::Part) and routes the child's presses and choices to the program's
// exported vorlen_press and vorlen_choose.
void bind(const std::string& names);

void setCaption(int part, std::string_view text);
void setColour(int part, std::string_view css);
// quietly: a part out of the accessibility tree, shown and hidden by its look
// alone (the class off), which no screen reader hears of.
void setVisible(int part, bool visible, bool quietly);
void setEnabled(int part, bool enabled);
void setChoice(int part, int entry);
// Out of the accessibility tree (aria-hidden) or back into it.
void setInTree(int part, bool inTree);
void setName(int part, std::string_view name);
void setDescription(int part, std::string_view description);
void focus(int part);

// Says the text through the carrier part (an alert that shows it), or with
// none through the page's status region, or its alert region when urgent.
void announce(std::string_view text, bool urgent, int carrier);

// Passes the child's system settings (prefers-reduced-motion,
// prefers-contrast, forced-colors) to the program's exported vorlen_prefer,
// and whether the page can be seen to vorlen_show: now, and on each change.
void watchSettings();

// Marks the page ready: the load step is applied and input is routed.
void markReady();

// The page address's query ("?a=b&c=d"), or empty.
[[nodiscard]] std::string pageQuery();

// One GET of the address that follows no redirect, reads no answer, and is
// abandoned after deadlineMs; whatever happens to it, the page goes on.
void requestQuietly(const std::string& address, int deadlineMs);

// One line to the browser's console, as an error.
void reportToConsole(const std::string& line);

} // namespace vorlen::web::dom
