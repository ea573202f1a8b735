// The parts' places, sizes and fonts at a dpi: the design's twips and points
// scaled by the window's dpi, each font made once per dpi.
#include "win32/dpi.h"
#include "win32/paint_buffer.h"
#include "win32/parts.h"

#include <utility>

namespace vorlen::win32 {

namespace {

void place(HWND window, const RECT& box)
{
    SetWindowPos(window, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

HFONT Parts::fontFor(const design::Font& font, int dpi)
{
    for (const auto& [known, handle] : fonts_) {
        if (known == font) {
            return handle;
        }
    }
    HFONT made = createFont(font, dpi);
    fonts_.emplace_back(font, made);
    return made;
}

void Parts::layout(int dpi)
{
    // The old fonts go once every control has its new one.
    const auto oldFonts = std::move(fonts_);
    fonts_.clear();

    for (const design::Panel& row : design::panels) {
        place(hwnd(row.part), pixelBox(row.place, dpi));
    }
    for (const design::Control& row : design::controls) {
        const RECT box = pixelBox(row.place, dpi);
        HWND made = hwnd(row.part);
        HFONT font = fontFor(row.font, dpi);
        switch (row.kind) {
        case design::Kind::Label:
        case design::Kind::TextBox:
            SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            label(row.part).setDesignBox(box);
            break;
        case design::Kind::List: {
            TEXTMETRICW metrics{};
            GetTextMetricsW(PaintBuffer::measuring(font), &metrics);
            list(row.part).place(box, font, metrics.tmHeight + scaled(4, dpi));
            break;
        }
        case design::Kind::Button:
        case design::Kind::Picture:
            SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            place(made, box);
            break;
        case design::Kind::Panel:
        case design::Kind::Timer:
            break;
        }
    }
    for (std::size_t i = 0; i < design::lines.size(); ++i) {
        lines_[i]->place(present::lineBox(design::lines[i], dpi));
    }
    PaintBuffer::releaseFont();
    for (const auto& [font, handle] : oldFonts) {
        DeleteObject(handle);
    }
}

} // namespace vorlen::win32
