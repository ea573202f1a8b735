// Text between the engine (UTF-8) and the Win32 API (UTF-16).
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <windows.h>

namespace vorlen::win32 {

[[nodiscard]] std::wstring widen(std::string_view text);
[[nodiscard]] std::string narrow(std::wstring_view text);

// Answers WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH from a caption that a
// control keeps itself rather than as its window text: a window text that
// changes is announced to screen readers by the system itself, and the idle
// animation changes captions eleven times a second. set takes a new caption.
// Gives the answer when the message is one of these three.
template <typename Set>
[[nodiscard]] std::optional<LRESULT> answerTextMessage(const std::wstring& caption, UINT message,
                                                       WPARAM wParam, LPARAM lParam, Set&& set)
{
    switch (message) {
    case WM_SETTEXT:
        std::forward<Set>(set)(lParam != 0 ? std::wstring(reinterpret_cast<const wchar_t*>(lParam))
                                           : std::wstring());
        return TRUE;
    case WM_GETTEXT: {
        // What fits into the buffer of wParam characters, always ended.
        auto* into = reinterpret_cast<wchar_t*>(lParam);
        if (into == nullptr || wParam == 0) {
            return 0;
        }
        const std::size_t copied = std::min<std::size_t>(caption.size(), wParam - 1);
        caption.copy(into, copied);
        into[copied] = L'\0';
        return static_cast<LRESULT>(copied);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(caption.size());
    default:
        return std::nullopt;
    }
}

} // namespace vorlen::win32
