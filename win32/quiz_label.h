// A label that paints its own caption, opaque on the face colour, in its font
// and text colour. A self-sizing label shows its caption on one line at the
// width it takes and the height of one line, keeping its right edge, its
// centre or its left edge where it was drawn; a fixed label keeps its box and
// breaks its caption at carriage returns. It keeps its caption itself and
// answers WM_GETTEXT, WM_GETTEXTLENGTH and WM_SETTEXT from it, as a static
// control would, without the name change that DefWindowProc's WM_SETTEXT
// announces. Windows tells screen readers of every window that moves,
// resizes, shows or hides, and the idle samples and the blink change two
// labels each several times a second: so a self-sizing label's window only
// ever grows, to hold the widest caption it has shown, and a label can be
// hidden by its paint alone.
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
    void setColour(const present::Ink& colour);
    void setGround(const present::Ink& ground);
    // Refits and repaints only when the caption differs.
    void setCaption(std::wstring caption);
    // Paints the caption, or only the face where it was; the window stays.
    void setShown(bool shown);
    // The caption's size on one line in the label's font.
    [[nodiscard]] SIZE captionSize() const;
    // Where the caption shows, in pixels of the container: the box for a
    // fixed label, for a self-sizing one its caption's box by its anchor.
    [[nodiscard]] RECT captionPlace() const { return captionPlace_; }
    [[nodiscard]] bool shown() const { return shown_; }

private:
    friend class WindowClass<QuizLabel>;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void fit();
    void place(const RECT& box);
    void paint();

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring caption_;
    present::Ink colour_;
    present::Ink ground_;
    design::Align align_;
    design::Sizing sizing_;
    RECT designBox_{};
    RECT captionPlace_{};
    RECT placed_{}; // where the label's window lies in its panel
    bool shown_ = true;
};

} // namespace vorlen::win32
