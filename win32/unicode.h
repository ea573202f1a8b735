// Text between the engine (UTF-8) and the Win32 API (UTF-16).
#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace vorlen::win32 {

[[nodiscard]] std::wstring widen(std::string_view text);
[[nodiscard]] std::string narrow(std::wstring_view text);

// Answers WM_GETTEXT from a caption a control keeps itself: copies what fits
// into the buffer of size characters, always ending it, and returns how many
// characters were copied.
LRESULT copyText(const std::wstring& text, WPARAM size, LPARAM buffer);

} // namespace vorlen::win32
