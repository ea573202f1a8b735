// Text between the engine (UTF-8) and the Win32 API (UTF-16).
#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace vorlen::win32 {

[[nodiscard]] std::wstring widen(std::string_view text);
[[nodiscard]] std::string narrow(std::wstring_view text);

// The whole window text of a window, however long.
[[nodiscard]] std::wstring windowText(HWND window);

} // namespace vorlen::win32
