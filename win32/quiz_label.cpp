#include "win32/quiz_label.h"

#include "present/drawing.h"
#include "win32/paint_buffer.h"
#include "win32/unicode.h"

#include <string>
#include <utility>

namespace vorlen::win32 {

QuizLabel::QuizLabel(HWND parent, int id, std::wstring_view caption, COLORREF colour, design::Align align,
                     design::Sizing sizing)
    : caption_(caption), colour_{colour}, align_(align), sizing_(sizing)
{
    const wchar_t* name = WindowClass<QuizLabel>::registered(L"VorlenLabel", GetSysColorBrush(COLOR_BTNFACE),
                                                             CS_HREDRAW | CS_VREDRAW);
    CreateWindowExW(0, name, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
}

QuizLabel::~QuizLabel()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void QuizLabel::setDesignBox(const RECT& box)
{
    designBox_ = box;
    placed_ = {}; // a new dpi: the window starts again from its caption
    if (sizing_ == design::Sizing::ToCaption) {
        fit();
    } else {
        captionPlace_ = box;
        place(box);
    }
}

void QuizLabel::place(const RECT& box)
{
    // The box is kept here, not asked of the window system, since the idle
    // animation refits two labels eleven times a second.
    if (EqualRect(&box, &placed_) == FALSE) {
        placed_ = box;
        SetWindowPos(window_, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void QuizLabel::setShown(bool shown)
{
    if (shown != shown_) {
        shown_ = shown;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void QuizLabel::setCaption(std::wstring caption)
{
    if (caption != caption_) {
        caption_ = std::move(caption);
        fit();
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void QuizLabel::setColour(const present::Ink& colour)
{
    if (colour != colour_) {
        colour_ = colour;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void QuizLabel::setGround(const present::Ink& ground)
{
    if (ground != ground_) {
        ground_ = ground;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

SIZE QuizLabel::captionSize() const
{
    const std::wstring& text = caption_;
    HDC dc = PaintBuffer::measuring(font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size.cy = metrics.tmHeight;
    return size;
}

void QuizLabel::fit()
{
    if (sizing_ != design::Sizing::ToCaption) {
        return;
    }
    const SIZE size = captionSize();
    const present::Box box =
        present::captionBox(present::anchor(align_, sizing_),
                            {designBox_.left, designBox_.top, designBox_.right - designBox_.left,
                             designBox_.bottom - designBox_.top},
                            {size.cx, size.cy});
    captionPlace_ = RECT{box.left, box.top, box.left + box.width, box.top + box.height};
    // Only ever wider, to hold every caption shown so far; within it the
    // face covers what a narrower caption leaves, as the panel would.
    RECT grown = captionPlace_;
    if (IsRectEmpty(&placed_) == FALSE) {
        UnionRect(&grown, &placed_, &captionPlace_);
    }
    if (EqualRect(&grown, &placed_) == FALSE) {
        place(grown);
    }
}

void QuizLabel::paint()
{
    const PaintBuffer buffer(window_);
    HDC dc = buffer.dc();
    const RECT client = buffer.client();
    FillRect(dc, &client, brushOf(ground_));
    if (!shown_) {
        return;
    }
    // The caption's own place, in the window's pixels.
    RECT box = captionPlace_;
    OffsetRect(&box, -placed_.left, -placed_.top);
    buffer.useFont(font_);
    // The colour as the model gives it: darker already for more contrast, a
    // system colour under forced colours.
    SetTextColor(dc, colourOf(colour_));
    SetBkMode(dc, TRANSPARENT);
    std::wstring text;
    UINT format = DT_NOPREFIX | DT_TOP;
    switch (align_) {
    case design::Align::Left:
        format |= DT_LEFT;
        break;
    case design::Align::Right:
        format |= DT_RIGHT;
        break;
    case design::Align::Center:
        format |= DT_CENTER;
        break;
    }
    if (sizing_ == design::Sizing::ToCaption) {
        text = caption_;
        format |= DT_SINGLELINE;
    } else {
        // The dedication's lines are joined by carriage returns alone; show
        // each on a line of its own.
        text = present::shownLines<wchar_t>(caption_);
        format |= DT_WORDBREAK;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

LRESULT QuizLabel::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto answer = answerTextMessage(caption_, message, wParam, lParam,
                                              [this](std::wstring text) { setCaption(std::move(text)); })) {
        return *answer;
    }
    switch (message) {
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (IsRectEmpty(&designBox_) == FALSE) {
            fit();
        }
        if (LOWORD(lParam) != 0) {
            InvalidateRect(window_, nullptr, FALSE);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND:
        return 1; // paint() fills the whole label
    case WM_PAINT:
        paint();
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // clicks go to the panel, as on a static control
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

} // namespace vorlen::win32
