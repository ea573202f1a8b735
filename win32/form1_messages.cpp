// The window's messages: presses, list choices and timer ticks go to the
// model by their design IDs; the owner-drawn lists are drawn; the window
// keeps its drawn size at every dpi and never maximises.
#include "win32/dpi.h"
#include "win32/form1.h"
#include "win32/parts.h"

#include <algorithm>

namespace vorlen::win32 {

namespace {

// The outer size of the window at its drawn client size.
SIZE fixedSize(HWND window, int dpi)
{
    RECT client{};
    GetClientRect(window, &client);
    RECT outer{};
    GetWindowRect(window, &outer);
    const int width = design::pixels(design::clientWidth, dpi);
    const int height = design::pixels(design::clientHeight, dpi);
    if (IsIconic(window) != FALSE || client.right == 0) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
        const RECT adjusted = outerRect(width, height, style & ~WS_MAXIMIZE, exStyle, dpi);
        return {adjusted.right - adjusted.left, adjusted.bottom - adjusted.top};
    }
    return {outer.right - outer.left + width - client.right,
            outer.bottom - outer.top + height - client.bottom};
}

} // namespace

void Form1::command(int id, int code)
{
    const auto part = design::partWithId(id);
    if (!part) {
        return;
    }
    switch (design::kind(*part)) {
    case design::Kind::Button:
        if (code == BN_CLICKED) {
            apply(form_->press(*part));
        }
        break;
    case design::Kind::List:
        if (code == CBN_SELCHANGE) {
            const auto entry = SendMessageW(parts_->hwnd(*part), CB_GETCURSEL, 0, 0);
            apply(form_->choose(*part, static_cast<int>(entry)));
        }
        break;
    default:
        break;
    }
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM) {
        // Sent as each list is made, before the parts are all there.
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_COMBOBOX) {
            item->itemHeight = static_cast<UINT>(scaled(20, dpi_)); // until layout() measures the font
            return TRUE;
        }
    }
    if (parts_ == nullptr || accessibility_ == nullptr) {
        return DefWindowProcW(window_, message, wParam, lParam);
    }
    switch (message) {
    case WM_WINDOWPOSCHANGING:
        // Shown by someone other than show(): the load step still comes first.
        if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0) {
            load();
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus) != FALSE) {
                focusToRestore_ = focus;
            }
        } else {
            // The window takes the focus itself first, as DefWindowProc
            // does, then hands it on: Wine reports a focus change only from
            // a window that had the focus to one that gets it.
            DefWindowProcW(window_, message, wParam, lParam);
            if (focusToRestore_ != nullptr && IsWindow(focusToRestore_) != FALSE) {
                SetFocus(focusToRestore_);
            }
        }
        return 0;
    case WM_SETTINGCHANGE:
        takePreferences();
        break;
    case WM_SYSCOLORCHANGE:
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case WM_ERASEBKGND:
        return eraseWith(window_, wParam, ground_);
    case WM_SIZE:
        // Nobody sees the idle samples in a minimised window.
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED) {
            apply(form_->show(wParam == SIZE_RESTORED));
        }
        if (wParam == SIZE_MAXIMIZED) {
            // Maximised from outside (a show mode, a shell command): back to
            // the drawn size.
            PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else if (wParam == SIZE_RESTORED && GetActiveWindow() == window_ && focusToRestore_ != nullptr &&
                   IsChild(window_, GetFocus()) == FALSE) {
            SetFocus(focusToRestore_);
        }
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0U) == SC_MAXIMIZE) {
            return 0;
        }
        break;
    case WM_COMMAND:
        if (lParam != 0) {
            command(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case WM_TIMER:
        if (const auto part = design::partWithId(static_cast<int>(wParam));
            part && design::kind(*part) == design::Kind::Timer) {
            apply(form_->tick(*part));
            return 0;
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const auto part = design::partWithId(static_cast<int>(item->CtlID));
            part && design::kind(*part) == design::Kind::List) {
            parts_->list(*part).draw(*item);
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORLISTBOX:
        for (const design::Control& row : design::controls) {
            if (row.kind != design::Kind::List) {
                continue;
            }
            const QuizList& list = parts_->list(row.part);
            COMBOBOXINFO info{};
            info.cbSize = sizeof(info);
            const auto target = reinterpret_cast<HWND>(lParam);
            if (target == list.hwnd() ||
                (GetComboBoxInfo(list.hwnd(), &info) != FALSE && info.hwndList == target)) {
                return reinterpret_cast<LRESULT>(list.listColours(reinterpret_cast<HDC>(wParam)));
            }
        }
        break;
    case WM_DPICHANGED: {
        layout(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_GETMINMAXINFO: {
        // The window keeps its drawn size at every dpi, even on a screen
        // smaller than it, rather than cutting off the score panel; were it
        // maximised, it would stay that size where it is.
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const SIZE size = fixedSize(window_, dpi_);
        limits->ptMaxTrackSize.x = std::max(limits->ptMaxTrackSize.x, size.cx + 16);
        limits->ptMaxTrackSize.y = std::max(limits->ptMaxTrackSize.y, size.cy + 16);
        limits->ptMaxSize = POINT{size.cx, size.cy};
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(window_, &placement);
        limits->ptMaxPosition = POINT{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        for (const design::Timer& timer : design::timers) {
            KillTimer(window_, static_cast<UINT_PTR>(timer.id));
        }
        if (options_.quitOnClose) {
            PostQuitMessage(0);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace vorlen::win32
