// A drop-down list to choose from (no typing): a CBS_DROPDOWNLIST combo box
// that draws its entries itself in the window look's colours, greyed while
// it is disabled. Its entries are plain strings, so CB_GETLBTEXT
// and CB_GETCURSEL read it as any combo box. The window passes it the
// WM_DRAWITEM and WM_CTLCOLORLISTBOX messages that the combo box sends.
#pragma once

#include "present/look.h"
#include "win32/system_look.h"

#include <span>
#include <string_view>
#include <windows.h>

namespace vorlen::win32 {

class QuizList {
public:
    QuizList(HWND parent, int id, std::span<const std::string_view> entries);
    ~QuizList();
    QuizList(const QuizList&) = delete;
    QuizList& operator=(const QuizList&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }

    // The closed list's box in pixels of the panel, its font, and the
    // height of an entry in the opened list.
    void place(const RECT& box, HFONT font, int entryHeight);

    // For the window's handlers of WM_DRAWITEM and WM_CTLCOLORLISTBOX.
    void draw(const DRAWITEMSTRUCT& item) const;
    [[nodiscard]] HBRUSH listColours(HDC dc) const;
    void setInks(const present::ListInks& inks);

private:
    HWND window_ = nullptr;
    present::ListInks inks_;
};

} // namespace vorlen::win32
