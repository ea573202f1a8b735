#include "win32/quiz_list.h"

#include "win32/unicode.h"

#include <commctrl.h>
#include <string>

namespace vorlen::win32 {

QuizList::QuizList(HWND parent, int id, std::span<const std::string_view> entries)
{
    window_ = CreateWindowExW(0, L"COMBOBOX", L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS |
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    for (std::string_view entry : entries) {
        const std::wstring wide = widen(entry);
        SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(window_, CB_SETMINVISIBLE, entries.size(), 0);
}

QuizList::~QuizList()
{
    if (window_ != nullptr && IsWindow(window_) != FALSE) {
        DestroyWindow(window_);
    }
}

void QuizList::place(const RECT& box, HFONT font, int entryHeight)
{
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(window_, CB_SETITEMHEIGHT, 0, entryHeight);
    const int wanted = box.bottom - box.top;
    const int count = static_cast<int>(SendMessageW(window_, CB_GETCOUNT, 0, 0));
    // The height given to a drop-down list is that of the list when open.
    SetWindowPos(window_, nullptr, box.left, box.top, box.right - box.left,
                 wanted + (count + 1) * entryHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    // The closed box is the selection field and its frame; size the field so
    // that the whole box has the drawn height, whatever the frame measures.
    int field = wanted - 6;
    for (int attempt = 0; attempt < 2; ++attempt) {
        SendMessageW(window_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        RECT now{};
        GetWindowRect(window_, &now);
        const int difference = wanted - (now.bottom - now.top);
        if (difference == 0) {
            break;
        }
        field += difference;
    }
}

void QuizList::draw(const DRAWITEMSTRUCT& item) const
{
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    const bool field = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    const bool selected = (item.itemState & ODS_SELECTED) != 0 && !field;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;

    COLORREF ground = colourOf(selected ? inks_.chosenGround : inks_.ground);
    COLORREF ink = colourOf(selected ? inks_.chosenText : disabled ? inks_.textDisabled : inks_.text);
    SetBkColor(dc, ground);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
    if (item.itemID != static_cast<UINT>(-1)) {
        const auto length = SendMessageW(window_, CB_GETLBTEXTLEN, item.itemID, 0);
        if (length > 0) {
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            SendMessageW(window_, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length));
            SetTextColor(dc, ink);
            SetBkMode(dc, TRANSPARENT);
            RECT textBox = box;
            textBox.left += 3;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    if (field && (item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &box);
    }
}

HBRUSH QuizList::listColours(HDC dc) const
{
    SetTextColor(dc, colourOf(inks_.text));
    SetBkColor(dc, colourOf(inks_.ground));
    return brushOf(inks_.ground);
}

void QuizList::setInks(const present::ListInks& inks)
{
    if (inks != inks_) {
        inks_ = inks;
        InvalidateRect(window_, nullptr, TRUE);
    }
}

} // namespace vorlen::win32
