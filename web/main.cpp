// The web program: Form1 on the page that vorlen_web_page wrote. The bridge
// calls vorlen_press and vorlen_choose for the child's input, vorlen_prefer
// and vorlen_show for the system's settings and the page's visibility; the
// timers and the counter request run inside WebForm.
#include "web/dom.h"
#include "web/web_form.h"

#include <emscripten.h>

namespace {

vorlen::web::WebForm* form = nullptr;

} // namespace

// The bridge (bridge.js) calls these from JavaScript by their exported
// names, _vorlen_press and so on.
// NOLINTBEGIN(readability-identifier-naming)
extern "C" {

EMSCRIPTEN_KEEPALIVE void vorlen_press(int part)
{
    if (form != nullptr) {
        form->press(part);
    }
}

EMSCRIPTEN_KEEPALIVE void vorlen_choose(int part, int entry)
{
    if (form != nullptr) {
        form->choose(part, entry);
    }
}

EMSCRIPTEN_KEEPALIVE void vorlen_prefer(int reducedMotion, int moreContrast, int forcedColours)
{
    if (form != nullptr) {
        form->prefer({.reducedMotion = reducedMotion != 0,
                      .moreContrast = moreContrast != 0,
                      .forcedColours = forcedColours != 0});
    }
}

EMSCRIPTEN_KEEPALIVE void vorlen_show(int shown)
{
    if (form != nullptr) {
        form->show(shown != 0);
    }
}

} // extern "C"
// NOLINTEND(readability-identifier-naming)

int main()
{
    using namespace vorlen::web;
    // Lives as long as the page: the runtime stays after main returns.
    static WebForm web(counterDeadline(dom::pageQuery(), &dom::reportToConsole));
    form = &web;
    web.start();
    return 0;
}
