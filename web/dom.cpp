#include "web/dom.h"

#include "web/markup.h"

#include <cstdlib>
#include <emscripten/console.h>

// The functions of bridge.js, linked into the program with --js-library:
// one per kind of change to the page, called by their C names.
// NOLINTBEGIN(readability-identifier-naming)
extern "C" {
void vorlen_bind(const char* names, const char* status, const char* alert, const char* spoken,
                 const char* off, const char* outOfTree);
void vorlen_caption(int part, const char* text, int length);
void vorlen_colour(int part, const char* css);
void vorlen_visible(int part, int visible, int quietly);
void vorlen_tree(int part, int inTree);
void vorlen_enabled(int part, int enabled);
void vorlen_choice(int part, int entry);
void vorlen_name(int part, const char* text, int length);
void vorlen_description(int part, const char* text, int length);
void vorlen_focus(int part);
void vorlen_announce(const char* text, int length, int urgent, int carrier);
void vorlen_watch();
void vorlen_ready(const char* attribute, const char* value);
char* vorlen_query();
void vorlen_request(const char* address, int deadline);
}
// NOLINTEND(readability-identifier-naming)

namespace vorlen::web::dom {

namespace {

int length(std::string_view text)
{
    return static_cast<int>(text.size());
}

} // namespace

void bind(const std::string& names)
{
    vorlen_bind(names.c_str(), markup::statusRegion, markup::alertRegion, markup::spokenClass,
                markup::offClass, markup::outOfTree);
}

void setCaption(int part, std::string_view text)
{
    vorlen_caption(part, text.data(), length(text));
}

void setColour(int part, std::string_view css)
{
    const std::string terminated(css);
    vorlen_colour(part, terminated.c_str());
}

void setVisible(int part, bool visible, bool quietly)
{
    vorlen_visible(part, visible ? 1 : 0, quietly ? 1 : 0);
}

void setInTree(int part, bool inTree)
{
    vorlen_tree(part, inTree ? 1 : 0);
}

void setEnabled(int part, bool enabled)
{
    vorlen_enabled(part, enabled ? 1 : 0);
}

void setChoice(int part, int entry)
{
    vorlen_choice(part, entry);
}

void setName(int part, std::string_view name)
{
    vorlen_name(part, name.data(), length(name));
}

void setDescription(int part, std::string_view description)
{
    vorlen_description(part, description.data(), length(description));
}

void focus(int part)
{
    vorlen_focus(part);
}

void announce(std::string_view text, bool urgent, int carrier)
{
    vorlen_announce(text.data(), length(text), urgent ? 1 : 0, carrier);
}

void watchSettings()
{
    vorlen_watch();
}

void markReady()
{
    vorlen_ready(markup::readyAttribute, markup::readyValue);
}

std::string pageQuery()
{
    char* query = vorlen_query();
    std::string text = query == nullptr ? std::string() : std::string(query);
    std::free(query); // NOLINT(cppcoreguidelines-no-malloc): allocated by the JavaScript side
    return text;
}

void requestQuietly(const std::string& address, int deadlineMs)
{
    vorlen_request(address.c_str(), deadlineMs);
}

void reportToConsole(const std::string& line)
{
    emscripten_console_error(line.c_str());
}

} // namespace vorlen::web::dom
