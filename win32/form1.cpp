#include "win32/form1.h"

#include "win32/accessibility.h"
#include "win32/dpi.h"
#include "win32/parts.h"
#include "win32/unicode.h"

#ifdef VORLEN_HAVE_RESOURCES
#include "resource_ids.h"
#endif

#include <stdexcept>

namespace vorlen::win32 {

namespace {

// Fixed single border with a minimise box: the child can neither resize nor
// maximise it.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = 0;

HICON programIcon()
{
#ifdef VORLEN_HAVE_RESOURCES
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VORLEN));
#else
    return nullptr;
#endif
}

// Show modes that leave the window inactive.
bool activates(int how)
{
    return how != SW_HIDE && how != SW_SHOWNA && how != SW_SHOWNOACTIVATE && how != SW_SHOWMINNOACTIVE &&
           how != SW_MINIMIZE;
}

} // namespace

Form1::Form1() : Form1(Options{})
{
}

Form1::Form1(Options options) : options_(std::move(options))
{
    const wchar_t* name = WindowClass<Form1>::registered(
        L"VorlenForm1", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)), 0, programIcon());
    const std::wstring caption = widen(design::windowCaption());
    CreateWindowExW(windowExStyle, name, caption.c_str(), windowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                    nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("the window could not be created");
    }
    dpi_ = dpiOf(window_);

    form_ = std::make_unique<present::Form>(options_.form);
    // The parts are built as the design draws them, which is what the model
    // holds before the load step.
    parts_ = std::make_unique<Parts>(window_);
    buildAccessibility();
    Form1::look(form_->look()); // this class's own, while it is being built
    layout(dpi_);
    takePreferences();
    for (const design::Timer& timer : design::timers) {
        setTimer(timer.part, form_->model()[timer.part].running);
    }
}

Form1::~Form1()
{
    if (window_ != nullptr) {
        // No tick may reach a model that is gone.
        for (const design::Timer& timer : design::timers) {
            KillTimer(window_, static_cast<UINT_PTR>(timer.id));
        }
        DestroyWindow(window_);
    }
}

void Form1::reportToDebuggerAndConsole(const std::string& line)
{
    // Whatever the bytes, never refuse the report: invalid UTF-8 shows as U+FFFD.
    const std::string text = line + "\n";
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    OutputDebugStringW(wide.c_str());
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode) != FALSE) {
        WriteConsoleW(error, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

void Form1::report(const std::string& line) const
{
    options_.form.reportFailure(line);
}

void Form1::layout(int dpi)
{
    dpi_ = dpi;
    const int width = design::pixels(design::clientWidth, dpi);
    const int height = design::pixels(design::clientHeight, dpi);
    const RECT outer = outerRect(width, height, windowStyle, windowExStyle, dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Whatever the frame measures, the client area gets the drawn size.
    RECT client{};
    GetClientRect(window_, &client);
    if (IsIconic(window_) == FALSE && (client.right != width || client.bottom != height)) {
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                     outer.bottom - outer.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    parts_->layout(dpi);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form1::takePreferences()
{
    // Windows sends WM_SETTINGCHANGE for every setting: the model says
    // what these change, the look among it.
    apply(form_->prefer(options_.readPreferences()));
}

void Form1::load()
{
    if (!form_->loaded()) {
        apply(form_->load());
    }
}

void Form1::show(int how)
{
    // The load step comes before the window is first visible, whatever the
    // mode: Windows sends no WM_SHOWWINDOW for a minimised start.
    load();
    if (how == SW_SHOWMAXIMIZED) {
        how = SW_SHOWNORMAL;
    }
    ShowWindow(window_, how);
    if (IsWindowVisible(window_) == FALSE || IsIconic(window_) != FALSE) {
        return; // the focus is set when the window is restored or activated
    }
    UpdateWindow(window_);
    if (activates(how)) {
        SetForegroundWindow(window_);
    }
    HWND focus = GetFocus();
    if (GetActiveWindow() == window_ && (focus == nullptr || IsChild(window_, focus) == FALSE)) {
        SetFocus(focusToRestore_);
    }
}

void Form1::moveFocus(bool forward)
{
    const auto& order = design::focusOrder;
    const auto focused = parts_->partOf(GetFocus());
    std::size_t at = order.size();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (focused == order[i]) {
            at = i;
        }
    }
    for (std::size_t step = 1; step <= order.size(); ++step) {
        std::size_t next = 0;
        if (at == order.size()) {
            next = forward ? step - 1 : order.size() - step;
        } else {
            next = forward ? (at + step) % order.size() : (at + order.size() - step) % order.size();
        }
        if (form_->model().canTakeFocus(order[next])) {
            SetFocus(parts_->hwnd(order[next]));
            return;
        }
    }
}

bool Form1::preTranslate(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) {
        return false;
    }
    if (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE) {
        return false;
    }
    moveFocus((GetKeyState(VK_SHIFT) & 0x8000) == 0);
    return true;
}

} // namespace vorlen::win32
