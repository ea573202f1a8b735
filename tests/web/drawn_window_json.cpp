// Writes the window as drawn (tests/support/drawn_window.h) as JSON into the
// file it is given, for the page's tests in Python: the same literal numbers
// as the C++ window tests, without parsing C++. Each line carries the bar the
// window model draws it as, which the page must apply.
#include "present/drawing.h"
#include "present/look.h"
#include "tests/support/drawn_window.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

using namespace vorlen::test::drawn;

// The names and letters hold no quote or backslash.
std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"';
}

std::string list(std::initializer_list<int> numbers)
{
    std::string out;
    for (const int number : numbers) {
        out += (out.empty() ? "[" : ", ") + std::to_string(number);
    }
    return out + "]";
}

std::string box(const Box& box)
{
    return list({box.left, box.top, box.width, box.height});
}

// Ends a list or an object whose every entry ends in ", ".
void close(std::string& out, std::string_view end)
{
    out.resize(out.size() - 2);
    out += end;
}

std::string rgb(const vorlen::present::Ink& ink)
{
    return list({static_cast<int>(ink.colour & 0xFFU), static_cast<int>((ink.colour >> 8U) & 0xFFU),
                 static_cast<int>((ink.colour >> 16U) & 0xFFU)});
}

// A button's face and text in one state, as the window model's look paints it.
std::string paint(const vorlen::present::ButtonPaint& paint)
{
    return "{\"face\": " + rgb(paint.face) + ", \"text\": " + rgb(paint.text) + "}";
}

// Başla's states and a locked answer's, as drawn and for more contrast: the
// page's style sheet is written from the same looks.
std::string looks()
{
    using vorlen::design::Part;
    std::string out = "{";
    for (const bool moreContrast : {false, true}) {
        const vorlen::present::Look look = vorlen::present::look({.moreContrast = moreContrast});
        const auto& start = look.button(Part::command9);
        out += quoted(moreContrast ? "contrast" : "plain") + ": {\"plain\": " + paint(start.plain) +
               ", \"hovered\": " + paint(start.hovered) + ", \"held\": " + paint(start.pressedHovered) +
               ", \"focused\": " + paint(start.plain) +
               ", \"locked\": " + paint(look.button(Part::cev1).disabled) + "}, ";
    }
    out.resize(out.size() - 2);
    return out + "}";
}

} // namespace

int main(int argc, char** argv)
{
    constexpr std::array<std::string_view, 4> anchors{"Box", "Left", "Right", "Centre"};
    std::string out = "{\"client\": " + list({clientWidth, clientHeight}) + ", \"panels\": {";
    for (const PanelBox& row : panels) {
        out += quoted(row.name) + ": " + box(row.box) + ", ";
    }
    close(out, "}, \"controls\": {");
    for (const ControlBox& row : controls) {
        out += quoted(row.name) + ": {\"panel\": " + quoted(row.panel) + ", \"box\": " + box(row.box) +
               ", \"anchor\": " + quoted(anchors.at(static_cast<std::size_t>(row.anchor))) + "}, ";
    }
    close(out, "}, \"lines\": {");
    for (const LineBox& row : lines) {
        const auto& design = vorlen::design::lines;
        const auto* line = std::find_if(design.begin(), design.end(),
                                        [&](const auto& each) { return each.name == row.name; });
        const vorlen::present::Box bar = vorlen::present::lineBox(*line);
        out += quoted(row.name) + ": {\"panel\": " + quoted(row.panel) +
               ", \"bar\": " + list({bar.left, bar.top, bar.width, bar.height}) +
               ", \"colour\": " + list({row.colour.red, row.colour.green, row.colour.blue}) + "}, ";
    }
    close(out, "}, \"uncovered\": [");
    for (const std::string_view name : uncoveredByFrame5) {
        out += quoted(name) + ", ";
    }
    close(out, "], \"looks\": " + looks() + ", \"turkish\": " + quoted(turkishLetters) + "}\n");
    std::ofstream file(argc == 2 ? argv[1] : "", std::ios::binary);
    file << out;
    return file.flush() ? 0 : 1;
}
