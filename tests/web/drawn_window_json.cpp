// Writes the window as drawn (tests/support/drawn_window.h) as JSON into the
// file it is given, for the page's tests in Python: they read the same literal
// numbers as the C++ window tests, without parsing C++. Each line also carries
// the bar the window model draws it as, which the page must apply.
#include "present/drawing.h"
#include "tests/support/drawn_window.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace vorlen::test::drawn;

std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"'; // the names and faces hold no quote or backslash
}

std::string rgb(const Rgb& colour)
{
    return "[" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + "]";
}

std::string box(const Box& box)
{
    return "[" + std::to_string(box.left) + ", " + std::to_string(box.top) + ", " +
           std::to_string(box.width) + ", " + std::to_string(box.height) + "]";
}

std::string_view anchor(Anchor anchor)
{
    switch (anchor) {
    case Anchor::Box:
        return "Box";
    case Anchor::Left:
        return "Left";
    case Anchor::Right:
        return "Right";
    case Anchor::Centre:
        return "Centre";
    }
    return "";
}

std::string bar(std::string_view name)
{
    const auto* line = std::find_if(vorlen::design::lines.begin(), vorlen::design::lines.end(),
                                    [&](const vorlen::design::Line& each) { return each.name == name; });
    if (line == vorlen::design::lines.end()) {
        return "null";
    }
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
    if (argc != 2) {
        std::fputs("usage: vorlen_drawn_window_json <file.json>\n", stderr);
        return 2;
    }
    std::string out =
        "{\"client\": [" + std::to_string(clientWidth) + ", " + std::to_string(clientHeight) + "]";
    out += ",\n\"panels\": " + object(panels, [](const PanelBox& row) { return box(row.box); });
    out += ",\n\"controls\": " + object(controls, [](const ControlBox& row) {
               return "{\"panel\": " + quoted(row.panel) + ", \"box\": " + box(row.box) +
                      ", \"anchor\": " + quoted(anchor(row.anchor)) + ", \"text\": " + rgb(row.text) + "}";
           });
    out += ",\n\"fonts\": " + object(fonts, [](const ControlFont& row) {
               return "{\"family\": " + quoted(row.family) + ", \"points\": " + std::to_string(row.points) +
                      ", \"bold\": " + (row.bold ? "true" : "false") + "}";
           });
    out += ",\n\"lines\": " + object(lines, [](const LineBox& row) {
               return "{\"panel\": " + quoted(row.panel) + ", \"ends\": [" + std::to_string(row.x1) + ", " +
                      std::to_string(row.y1) + ", " + std::to_string(row.x2) + ", " + std::to_string(row.y2) +
                      "], \"width\": " + std::to_string(row.width) + ", \"colour\": " + rgb(row.colour) +
                      ", \"bar\": " + bar(row.name) + "}";
           });
    std::string uncovered;
    for (const std::string_view name : uncoveredByFrame5) {
        uncovered += (uncovered.empty() ? "" : ", ") + quoted(name);
    }
    out += ",\n\"uncovered\": [" + uncovered + "]";
    out += ",\n\"turkish\": " + quoted(turkishLetters);
    out += ",\n\"white\": " + rgb(white) + ", \"beige\": " + rgb(beige) +
           ", \"answer_hover\": " + rgb(answerHover);
    out += "}\n";
    std::FILE* file = std::fopen(argv[1], "wb");
    const bool written = file != nullptr && std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "vorlen_drawn_window_json: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
