// Writes the window as drawn (tests/support/drawn_window.h) as JSON into the
// file it is given, for the page's tests in Python: the same literal numbers
// as the C++ window tests, without parsing C++. Each line carries the bar the
// window model draws it as, which the page must apply.
#include "present/drawing.h"
#include "tests/support/drawn_window.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

using namespace vorlen::test::drawn;

std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"'; // the names and letters hold no quote or backslash
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

std::string bar(std::string_view name)
{
    const auto& lines = vorlen::design::lines;
    const auto* line =
        std::find_if(lines.begin(), lines.end(), [&](const auto& each) { return each.name == name; });
    const vorlen::present::Box drawn = vorlen::present::lineBox(*line);
    return box({drawn.left, drawn.top, drawn.width, drawn.height});
}

// One JSON object of the rows, each under its name.
template <typename Rows, typename Row> std::string object(const Rows& rows, Row row)
{
    std::string out = "{";
    for (const auto& each : rows) {
        out += (out.size() > 1 ? ", " : "") + quoted(each.name) + ": " + row(each);
    }
    return out + "}";
}

} // namespace

int main(int argc, char** argv)
{
    constexpr std::array<std::string_view, 4> anchors{"Box", "Left", "Right", "Centre"};
    std::string out = "{\"client\": " + list({clientWidth, clientHeight});
    out += ",\n\"panels\": " + object(panels, [](const PanelBox& row) { return box(row.box); });
    out += ",\n\"controls\": " + object(controls, [&](const ControlBox& row) {
               return "{\"panel\": " + quoted(row.panel) + ", \"box\": " + box(row.box) +
                      ", \"anchor\": " + quoted(anchors.at(static_cast<std::size_t>(row.anchor))) + "}";
           });
    out += ",\n\"lines\": " + object(lines, [](const LineBox& row) {
               return "{\"panel\": " + quoted(row.panel) + ", \"bar\": " + bar(row.name) +
                      ", \"colour\": " + list({row.colour.red, row.colour.green, row.colour.blue}) + "}";
           });
    out += ",\n\"uncovered\": [";
    for (const std::string_view name : uncoveredByFrame5) {
        out += (out.back() == '[' ? "" : ", ") + quoted(name);
    }
    out += "],\n\"turkish\": " + quoted(turkishLetters) + "}\n";
    std::ofstream file(argc == 2 ? argv[1] : "", std::ios::binary);
    file << out;
    return file.flush() ? 0 : 1;
}
