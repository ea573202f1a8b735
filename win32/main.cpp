// The program's entry: its one window and the message loop.
#include "win32/form1.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show)
{
    vorlen::win32::Form1::Options options;
    options.quitOnClose = true;
    vorlen::win32::Form1 window(std::move(options));
    window.show(show);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
