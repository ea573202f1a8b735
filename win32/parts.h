// Every panel, control and line of the window as child windows, built once
// from the design table with their fixed control IDs, held in arrays indexed
// by design::index(Part), and laid out at a dpi. A part the design names but
// that could not be made is an error at start, never a null later on.
#pragma once

#include "design/design.h"
#include "present/look.h"
#include "win32/quiz_button.h"
#include "win32/quiz_label.h"
#include "win32/quiz_line.h"
#include "win32/quiz_list.h"
#include "win32/quiz_panel.h"
#include "win32/quiz_picture.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>
#include <windows.h>

namespace vorlen::win32 {

using design::Part;

class Parts {
public:
    // Builds every part inside window, in creation order (also the stacking
    // order), in the state the design gives it. Throws if one cannot be made.
    explicit Parts(HWND window);
    ~Parts();
    Parts(const Parts&) = delete;
    Parts& operator=(const Parts&) = delete;

    // The part's window; a timer has none. Asking a part of the wrong kind
    // for its wrapper is a programming error and throws.
    [[nodiscard]] HWND hwnd(Part part) const { return windows_[design::index(part)]; }
    [[nodiscard]] QuizLabel& label(Part part) const;
    [[nodiscard]] QuizButton& button(Part part) const;
    [[nodiscard]] QuizList& list(Part part) const;
    // The lines in the order of design::lines.
    [[nodiscard]] const QuizLine& line(std::size_t index) const { return *lines_.at(index); }

    // The part whose window this is, if any.
    [[nodiscard]] std::optional<Part> partOf(HWND window) const;

    // Places, sizes and fonts at a dpi (layout.cpp).
    void layout(int dpi);

    // How every panel, label, button, list and line paints.
    void setLook(const present::Look& look);

private:
    HFONT fontFor(const design::Font& font, int dpi);

    std::array<HWND, design::partCount> windows_{};
    std::array<std::unique_ptr<QuizPanel>, design::partCount> panels_;
    std::array<std::unique_ptr<QuizLabel>, design::partCount> labels_;
    std::array<std::unique_ptr<QuizButton>, design::partCount> buttons_;
    std::array<std::unique_ptr<QuizList>, design::partCount> lists_;
    std::unique_ptr<QuizPicture> picture_;
    std::vector<std::unique_ptr<QuizLine>> lines_;
    std::vector<std::pair<design::Font, HFONT>> fonts_;
};

} // namespace vorlen::win32
