// The push button of the window: one class for all seven buttons. It paints
// itself as the window's look has it for each state (present/look.h): the
// face, lighter under the mouse with its hover text colour, darker while held
// down, its edges and outline, greyed text while disabled, and a focus
// rectangle. It
// keeps its caption itself and answers WM_GETTEXT and WM_GETTEXTLENGTH from
// it: DefWindowProc's WM_SETTEXT would tell screen readers of a name change
// at every caption the idle animation writes. A click, Space or Enter (each
// pressed and released on the button), or BM_CLICK presses it: the parent
// gets WM_COMMAND with BN_CLICKED, once per press, as from a standard button.
// It presses nothing while it, its panel or the window is disabled; it looks
// only at its own enabled state, so a button in a locked panel keeps its look.
#pragma once

#include "present/look.h"
#include "win32/system_look.h"
#include "win32/window_class.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace vorlen::win32 {

class QuizButton {
public:
    QuizButton(HWND parent, int id, std::wstring_view caption);
    ~QuizButton();
    QuizButton(const QuizButton&) = delete;
    QuizButton& operator=(const QuizButton&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }

    // Repaints only when the caption differs.
    void setCaption(std::wstring caption);
    // Its paints for every state, the face around it and the focus mark.
    void setLook(const present::ButtonInks& inks, const present::Ink& ground, const present::Ink& focusMark);

private:
    friend class WindowClass<QuizButton>;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void press();
    void setDown(bool down);
    void cancelKey();

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring caption_;
    present::ButtonInks inks_;
    present::Ink ground_;
    present::Ink focusMark_;
    bool hover_ = false;
    bool mouseDown_ = false; // the left button went down here and is held
    bool keyDown_ = false;   // Space or Enter went down here and is held
    bool shownDown_ = false;
    // Kept from WM_SETFOCUS and WM_KILLFOCUS rather than asked at every
    // paint: GetFocus is a trip to the wineserver under Wine.
    bool focused_ = false;
};

} // namespace vorlen::win32
