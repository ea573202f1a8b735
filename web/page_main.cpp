// Writes the web page (web/page.h) at build time: Form1 through its load
// step, as the browser should paint it before the program runs.
// Usage (under node): vorlen_web_page.js OUTPUT.html
#include "present/form.h"
#include "web/page.h"

#include <cstdio>
#include <string>

namespace {

// The load step makes no request; nothing is sent from the build.
struct NoBrowser final : vorlen::WebBrowser {
    void navigate(const std::string& /*address*/) override {}
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorlen_web_page OUTPUT.html\n");
        return 2;
    }
    NoBrowser browser;
    bool failed = false;
    vorlen::present::Form form({.reportFailure =
                                    [&failed](const std::string& line) {
                                        std::fprintf(stderr, "%s\n", line.c_str());
                                        failed = true;
                                    }},
                               browser);
    const vorlen::present::Update& loaded = form.load();
    const std::string page = vorlen::web::page(form.model(), loaded.focus);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr || std::fwrite(page.data(), 1, page.size(), out) != page.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "vorlen_web_page: cannot write %s\n", argv[1]);
        return 1;
    }
    return failed ? 1 : 0;
}
