#include "tests/support/win32_support.h"

#include "tests/support/answer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <utility>

namespace vorlen::test::win32 {

namespace {

// Per-monitor aware where Windows knows it, else system aware; set before
// any window exists.
const bool dpiAware = [] {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (setContext != nullptr && setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) != FALSE) {
        return true;
    }
    return SetProcessDPIAware() != FALSE;
}();

} // namespace

bool pumpUntil(const std::function<bool()>& done, int deadlineMs,
               const std::function<bool(const MSG&)>& preTranslate)
{
    (void)dpiAware;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadlineMs);
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (!preTranslate || !preTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
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

void pumpFor(int ms)
{
    pumpUntil({}, ms);
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
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
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
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
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
            if (at(x, y) == colour) {
                ++found;
            }
        }
    }
    return found;
}

std::wstring widen(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return wide;
}

HWND controlIn(HWND window, int panel, int control)
{
    return GetDlgItem(GetDlgItem(window, panel), control);
}

HWND answerButton(HWND window, bool right)
{
    using design::Part;
    const std::array<std::pair<Part, int>, 6> ids{{{Part::Label1, id::label1},
                                                   {Part::Label3, id::label3},
                                                   {Part::cev1, id::answers[0]},
                                                   {Part::cev2, id::answers[1]},
                                                   {Part::cev3, id::answers[2]},
                                                   {Part::cev4, id::answers[3]}}};
    const auto control = [window, &ids](Part part) {
        const auto found =
            std::find_if(ids.begin(), ids.end(), [part](const auto& row) { return row.first == part; });
        return controlIn(window, id::frame1, found->second);
    };
    const auto part = test::answerButton(
        [&control](Part shown) {
            const std::wstring text = textOf(control(shown));
            return std::string(text.begin(), text.end()); // digits only
        },
        right);
    return part ? control(*part) : nullptr;
}

StartedProgram::StartedProgram(const std::string& unixPath, std::optional<WORD> showMode, bool suspended)
{
    // Wine sees / as drive Z:.
    std::wstring path = widen(unixPath);
    if (!path.empty() && path[0] == L'/') {
        path = L"Z:" + path;
    }
    std::replace(path.begin(), path.end(), L'/', L'\\');
    std::wstring command = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (showMode) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = *showMode;
    }
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, suspended ? CREATE_SUSPENDED : 0,
                       nullptr, nullptr, &startup, &process_) == FALSE) {
        process_ = {};
    }
}

StartedProgram::~StartedProgram()
{
    if (process_.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

void StartedProgram::resume() const
{
    ResumeThread(process_.hThread);
}

HWND StartedProgram::findWindow(const std::wstring& caption, bool visible, int deadlineMs)
{
    if (!started()) {
        return nullptr;
    }
    const bool found = pumpUntil(
        [&] {
            window_ = FindWindowW(nullptr, caption.c_str());
            DWORD owner = 0;
            if (window_ != nullptr) {
                GetWindowThreadProcessId(window_, &owner);
            }
            return window_ != nullptr && owner == process_.dwProcessId &&
                   (!visible || IsWindowVisible(window_) != FALSE);
        },
        deadlineMs);
    if (!found) {
        window_ = nullptr;
    }
    return window_;
}

int StartedProgram::close(int deadlineMs)
{
    if (!started()) {
        return -1;
    }
    if (window_ != nullptr && IsWindow(window_) != FALSE) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(deadlineMs)) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

} // namespace vorlen::test::win32
