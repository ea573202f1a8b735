// A label that paints its own caption, opaque on the face colour, in its font
// and text colour. A self-sizing label takes the width of its caption on one
// line and the height of one line, keeping its right edge, its centre or its
// left edge where it was drawn; a fixed label keeps its box and breaks its
// caption at carriage returns. It keeps its caption itself and answers
// WM_GETTEXT, WM_GETTEXTLENGTH and WM_SETTEXT from it, as a static control
// would, without the name change that DefWindowProc's WM_SETTEXT announces.
#pragma once

#include "design/design.h"
#include "win32/system_look.h"
#include "win32/window_class.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace vorlen::win32 {

class QuizLabel {
public:
    QuizLabel(HWND parent, int id, std::wstring_view caption, COLORREF colour, design::Align align,
              design::Sizing sizing);
    ~QuizLabel();
    QuizLabel(const QuizLabel&) = delete;
    QuizLabel& operator=(const QuizLabel&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }

    // The box as drawn, in pixels of the container; a self-sizing label
    // fits its caption to it at once.
    void setDesignBox(const RECT& box);
    void setColour(COLORREF colour);
    void setLook(const Look& look);
    // Refits and repaints only when the caption differs.
    void setCaption(std::wstring caption);
    // The caption's size on one line in the label's font.
    [[nodiscard]] SIZE captionSize() const;

private:
    friend class WindowClass<QuizLabel>;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void fit();
    void place(const RECT& box);
    void paint();

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring caption_;
    COLORREF colour_;
    Look look_;
    design::Align align_;
    design::Sizing sizing_;
    RECT designBox_{};
    RECT placed_{}; // where the label lies in its panel
};

} // namespace vorlen::win32
