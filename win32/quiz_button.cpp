#include "win32/quiz_button.h"

#include "present/drawing.h"
#include "win32/dpi.h"
#include "win32/paint_buffer.h"
#include "win32/unicode.h"

#include <string>
#include <utility>
#include <windowsx.h>

namespace vorlen::win32 {

namespace {

// The button and every window it lies in must be enabled for a press.
bool enabledThroughout(HWND window)
{
    for (HWND each = window; each != nullptr; each = GetAncestor(each, GA_PARENT)) {
        if (IsWindowEnabled(each) == FALSE) {
            return false;
        }
        if ((GetWindowLongPtrW(each, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
    }
    return true;
}

bool isPressKey(WPARAM key)
{
    return key == VK_SPACE || key == VK_RETURN;
}

} // namespace

QuizButton::QuizButton(HWND parent, int id, std::wstring_view caption) : caption_(caption)
{
    // No CS_DBLCLKS: a quick second click is a second press, not a double click.
    const wchar_t* name =
        WindowClass<QuizButton>::registered(L"VorlenButton", nullptr, CS_HREDRAW | CS_VREDRAW);
    CreateWindowExW(0, name, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
}

QuizButton::~QuizButton()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void QuizButton::setCaption(std::wstring caption)
{
    if (caption != caption_) {
        caption_ = std::move(caption);
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void QuizButton::setLook(const present::ButtonInks& inks, const present::Ink& ground,
                         const present::Ink& focusMark)
{
    if (inks != inks_ || ground != ground_ || focusMark != focusMark_) {
        inks_ = inks;
        ground_ = ground;
        focusMark_ = focusMark;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void QuizButton::press()
{
    if (!enabledThroughout(window_)) {
        return;
    }
    const int id = GetDlgCtrlID(window_);
    SendMessageW(GetParent(window_), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window_));
}

void QuizButton::setDown(bool down)
{
    if (down != shownDown_) {
        shownDown_ = down;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

// A held Space or Enter is dropped when the button loses the focus or is
// disabled, so that it can never press on a question that came meanwhile.
void QuizButton::cancelKey()
{
    keyDown_ = false;
    setDown(mouseDown_);
}

void QuizButton::paint()
{
    const PaintBuffer buffer(window_);
    HDC dc = buffer.dc();
    const RECT box = buffer.client();
    const bool enabled = IsWindowEnabled(window_) != FALSE;
    // A locked button never shows the hover look, and forgets it: the leave
    // notice may never come while its panel is locked.
    if (!enabledThroughout(window_)) {
        hover_ = false;
    }
    const present::ButtonPaint colours =
        inks_.in({.enabled = enabled, .hovered = hover_, .pressed = shownDown_, .focused = focused_});

    // The panel's face around the rounded corners.
    FillRect(dc, &box, brushOf(ground_));
    HBRUSH brush = brushOf(colours.face);
    HPEN outline = CreatePen(PS_SOLID, 1, colourOf(colours.outline));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, outline);
    const int corner = 2 * scaled(design::buttonLook.cornerRadiusPx, dpiOf(window_));
    RoundRect(dc, box.left, box.top, box.right, box.bottom, corner, corner);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(outline);

    if (colours.raised) {
        const int inset = corner / 2;
        HPEN light = CreatePen(PS_SOLID, 1, colourOf(colours.upperEdge));
        HPEN lower = CreatePen(PS_SOLID, 1, colourOf(colours.lowerEdge));
        oldPen = SelectObject(dc, light);
        MoveToEx(dc, box.left + inset, box.top + 1, nullptr);
        LineTo(dc, box.right - inset, box.top + 1);
        SelectObject(dc, lower);
        MoveToEx(dc, box.left + inset, box.bottom - 2, nullptr);
        LineTo(dc, box.right - inset, box.bottom - 2);
        SelectObject(dc, oldPen);
        DeleteObject(light);
        DeleteObject(lower);
    }

    SetTextColor(dc, colourOf(colours.text));
    SetBkMode(dc, TRANSPARENT);
    buffer.useFont(font_);
    RECT textBox = box;
    OffsetRect(&textBox, colours.textShiftPx, colours.textShiftPx);
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &textBox,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    if (colours.focusMark) {
        RECT focus = box;
        InflateRect(&focus, -present::focusInsetPx, -present::focusInsetPx);
        if (focusMark_.role) {
            FrameRect(dc, &focus, brushOf(focusMark_));
        } else {
            // Windows' own dotted mark, in the look's colour.
            SetTextColor(dc, colourOf(focusMark_));
            SetBkColor(dc, colourOf(colours.face));
            DrawFocusRect(dc, &focus);
        }
    }
}

LRESULT QuizButton::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto answer = answerTextMessage(caption_, message, wParam, lParam,
                                              [this](std::wstring text) { setCaption(std::move(text)); })) {
        return *answer;
    }
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) {
            InvalidateRect(window_, nullptr, FALSE);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: {
        // Enter belongs to the focused button, not to a default button.
        LRESULT code = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_MOUSEMOVE: {
        if (!hover_ && enabledThroughout(window_)) {
            hover_ = true;
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof(track);
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = window_;
            TrackMouseEvent(&track);
            InvalidateRect(window_, nullptr, FALSE);
        }
        if (mouseDown_) {
            RECT box{};
            GetClientRect(window_, &box);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            setDown(PtInRect(&box, at) != FALSE || keyDown_);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        hover_ = false;
        InvalidateRect(window_, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window_);
        SetCapture(window_);
        mouseDown_ = true;
        setDown(true);
        return 0;
    case WM_LBUTTONUP: {
        if (!mouseDown_) {
            return 0;
        }
        mouseDown_ = false;
        const bool inside = shownDown_;
        ReleaseCapture();
        setDown(keyDown_);
        if (inside) {
            press();
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (mouseDown_) {
            mouseDown_ = false;
            setDown(keyDown_);
        }
        return 0;
    case WM_KEYDOWN:
        if (isPressKey(wParam)) {
            const bool repeat = (lParam & (1L << 30)) != 0;
            if (!repeat) {
                keyDown_ = true;
                setDown(true);
            }
            return 0;
        }
        break;
    case WM_KEYUP:
        if (isPressKey(wParam)) {
            if (keyDown_) {
                cancelKey();
                press();
            }
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ' || wParam == L'\r') {
            return 0; // no beep for the keys handled above
        }
        break;
    case WM_SETFOCUS:
        focused_ = true;
        InvalidateRect(window_, nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        cancelKey();
        InvalidateRect(window_, nullptr, FALSE);
        return 0;
    case WM_ENABLE:
        if (wParam == FALSE) {
            cancelKey();
            hover_ = false;
        }
        InvalidateRect(window_, nullptr, FALSE);
        return 0;
    case BM_CLICK:
        press();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace vorlen::win32
