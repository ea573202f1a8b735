// Writes the web page (web/page.h) at build time: Form1 through its load
// step, as the browser should paint it before the program runs, in the
// page's template with its style sheet and start-up script.
// Usage (under node): vorlen_web_page OUTPUT.html PAGE.html.in PAGE.css PAGE.js
#include "present/form.h"
#include "web/page.h"

#include <cstdio>
#include <cstdlib>
#include <emscripten.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

// The page writer's one piece of JavaScript, node's own SHA-256 for the
// page's policy: it runs only here, at build time, and never reaches the
// page, so it stays beside its one caller rather than in a web file.
// NOLINTBEGIN: the body is JavaScript, run by node at build time
// clang-format off
EM_JS(char*, vorlen_sha256_base64, (const char* text, int length), {
    var digest = require("crypto").createHash("sha256").update(UTF8ToString(text, length), "utf8").digest("base64");
    return allocateUTF8(digest);
});
// clang-format on
// NOLINTEND

namespace {

std::string sha256Base64(std::string_view text)
{
    char* digest = vorlen_sha256_base64(text.data(), static_cast<int>(text.size()));
    std::string out = digest == nullptr ? std::string() : std::string(digest);
    std::free(digest); // NOLINT(cppcoreguidelines-no-malloc): allocated by the JavaScript side
    return out;
}

std::optional<std::string> readFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: vorlen_web_page OUTPUT.html PAGE.html.in PAGE.css PAGE.js\n");
        return 2;
    }
    const std::optional<std::string> html = readFile(argv[2]);
    const std::optional<std::string> css = readFile(argv[3]);
    const std::optional<std::string> js = readFile(argv[4]);
    if (!html || !css || !js) {
        std::fprintf(stderr, "vorlen_web_page: cannot read the page's web files\n");
        return 1;
    }
    bool failed = false;
    vorlen::present::Form form({.reportFailure = [&failed](const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());
        failed = true;
    }});
    const vorlen::present::Update& loaded = form.load();
    const std::string page = vorlen::web::page(
        form.model(), loaded.focus, {.html = *html, .css = *css, .js = *js, .sha256Base64 = &sha256Base64});
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr || std::fwrite(page.data(), 1, page.size(), out) != page.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "vorlen_web_page: cannot write %s\n", argv[1]);
        return 1;
    }
    return failed ? 1 : 0;
}
