// The web program: Form1 on the page that vorlen_web_page wrote. The page's
// script calls vorlen_press and vorlen_choose for the child's input; the
// timers and the counter request run inside WebForm.
#include "web/dom.h"
#include "web/web_form.h"

#include <emscripten.h>

namespace {

vorlen::web::WebForm* form = nullptr;

} // namespace

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

} // extern "C"

int main()
{
    using namespace vorlen::web;
    // Lives as long as the page: the runtime stays after main returns.
    static WebForm web(counterDeadline(dom::pageQuery(), &dom::reportToConsole));
    form = &web;
    web.start();
    return 0;
}
