#include "tests/support/win32_support.h"

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <utility>

namespace vorlen::test::win32 {

namespace {

// Per-monitor aware where Windows knows it, else system aware; set before
// any window exists.
const bool dpiAware = [] {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (setContext != nullptr && setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) != FALSE) {
        return true;
    }
    return SetProcessDPIAware() != FALSE;
}();

} // namespace

bool pumpUntil(const std::function<bool()>& done, int deadlineMs)
{
    (void)dpiAware;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadlineMs);
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done && done()) {
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  static_cast<DWORD>(std::min<long long>(left.count(), 20)), QS_ALLINPUT);
    }
}

drawn::Box boxIn(HWND window, HWND parent)
{
    RECT box{};
    GetWindowRect(window, &box);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
    return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND controlIn(HWND window, int panel, int control)
{
    return GetDlgItem(GetDlgItem(window, panel), control);
}

HWND answerButton(HWND window, bool right)
{
    // The question's factors (Label1, Label3) and the answers, in Frame1.
    const auto number = [window](int control) {
        return std::wcstol(textOf(controlIn(window, 101, control)).c_str(), nullptr, 10);
    };
    const long product = number(201) * number(203);
    for (int answer : {301, 302, 303, 304}) {
        if ((number(answer) == product) == right) {
            return controlIn(window, 101, answer);
        }
    }
    return nullptr;
}

StartedProgram::StartedProgram(std::wstring unixPath, std::optional<WORD> showMode)
{
    // Wine sees / as drive Z:.
    std::wstring command = L"\"Z:" + std::move(unixPath) + L"\"";
    std::replace(command.begin(), command.end(), L'/', L'\\');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (showMode) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = *showMode;
    }
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                       &startup, &process_) == FALSE) {
        process_ = {};
    }
}

StartedProgram::~StartedProgram()
{
    if (started()) {
        TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

HWND StartedProgram::findWindow(const std::wstring& caption, bool visible, int deadlineMs)
{
    pumpUntil(
        [&] {
            window_ = FindWindowW(nullptr, caption.c_str());
            DWORD owner = 0;
            GetWindowThreadProcessId(window_, &owner);
            return window_ != nullptr && owner == process_.dwProcessId &&
                   (!visible || IsWindowVisible(window_) != FALSE);
        },
        deadlineMs);
    return window_;
}

int StartedProgram::close()
{
    PostMessageW(window_, WM_CLOSE, 0, 0);
    DWORD code = 1;
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0 ||
        GetExitCodeProcess(process_.hProcess, &code) == FALSE) {
        return -1;
    }
    return static_cast<int>(code);
}

Pixels::Pixels(HWND window)
{
    // Nothing is redrawn on purpose: the paints a change asked for run
    // through the message loop as they would for the child, and the screen is
    // read as it then stands, so a control that changed without asking for a
    // paint still shows its old pixels here.
    pumpUntil([] { return (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0; }, 2000);
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // top-down
    void* bits = nullptr;
    // The window's own surface, which is what the screen shows of it: Wine's
    // virtual desktop gives no pixels back through the screen's DC.
    HDC screen = GetDC(window);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* bytes = static_cast<const unsigned char*>(bits);
    bgra_.assign(bytes, bytes + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4U);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(window, screen);
}

drawn::Rgb Pixels::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {-1, -1, -1};
    }
    const std::size_t offset =
        (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 4U;
    return {bgra_[offset + 2], bgra_[offset + 1], bgra_[offset]};
}

int Pixels::count(const drawn::Box& box, drawn::Rgb colour) const
{
    int found = 0;
    for (int y = box.top; y < box.bottom(); ++y) {
        for (int x = box.left; x < box.right(); ++x) {
            found += at(x, y) == colour ? 1 : 0;
        }
    }
    return found;
}

} // namespace vorlen::test::win32
