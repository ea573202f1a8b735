#include "win32/parts.h"

#include "engine/controls.h"
#include "win32/paint_buffer.h"
#include "win32/unicode.h"

#ifdef VORLEN_HAVE_RESOURCES
#include "resource_ids.h"
#endif

#include <stdexcept>
#include <string>

namespace vorlen::win32 {

namespace {

HBITMAP dedicationPicture()
{
#ifdef VORLEN_HAVE_RESOURCES
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_DEDICATION),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
#else
    return nullptr;
#endif
}

template <typename Wrapper>
Wrapper& held(const std::array<std::unique_ptr<Wrapper>, design::partCount>& wrappers, Part part)
{
    const auto& wrapper = wrappers[design::index(part)];
    if (wrapper == nullptr) {
        throw std::logic_error(std::string(design::name(part)) + " is no control of that kind");
    }
    return *wrapper;
}

} // namespace

Parts::Parts(HWND window)
{
    // In creation order, each above the one before: the wrong-answer and
    // dedication panels come last and lie above the other three.
    for (const design::Panel& row : design::panels) {
        auto& panel = panels_[design::index(row.part)];
        panel = std::make_unique<QuizPanel>(window, row.id);
        SetWindowPos(panel->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        windows_[design::index(row.part)] = panel->hwnd();
    }
    for (const design::Control& row : design::controls) {
        HWND parent = hwnd(row.panel);
        const std::wstring caption = widen(row.caption);
        const std::size_t at = design::index(row.part);
        HWND made = nullptr;
        switch (row.kind) {
        case design::Kind::Label:
            labels_[at] =
                std::make_unique<QuizLabel>(parent, row.id, caption, row.fore, row.align, row.sizing);
            made = labels_[at]->hwnd();
            break;
        case design::Kind::Button:
            buttons_[at] = std::make_unique<QuizButton>(parent, row.id, caption);
            made = buttons_[at]->hwnd();
            break;
        case design::Kind::List:
            lists_[at] = std::make_unique<QuizList>(parent, row.id, row.entries);
            made = lists_[at]->hwnd();
            break;
        case design::Kind::TextBox:
            // A scratch cell, never seen and never focused, that keeps its
            // text as a label does: an edit control would tell screen readers
            // of every value the idle samples write into it.
            labels_[at] = std::make_unique<QuizLabel>(parent, row.id, caption, row.fore, row.align,
                                                      design::Sizing::Fixed);
            made = labels_[at]->hwnd();
            break;
        case design::Kind::Picture:
            picture_ = std::make_unique<QuizPicture>(parent, row.id, dedicationPicture());
            made = picture_->hwnd();
            break;
        case design::Kind::Panel:
        case design::Kind::Timer:
            break;
        }
        windows_[at] = made;
        ShowWindow(made, row.visible ? SW_SHOWNA : SW_HIDE);
        EnableWindow(made, row.enabled ? TRUE : FALSE);
    }
    for (const design::Line& row : design::lines) {
        lines_.push_back(std::make_unique<QuizLine>(hwnd(row.panel), row.id));
    }
    for (std::size_t i = 0; i < design::partCount; ++i) {
        const auto part = static_cast<Part>(i);
        if (design::kind(part) != design::Kind::Timer && windows_[i] == nullptr) {
            throw std::runtime_error("could not create " + std::string(design::name(part)));
        }
    }
    for (const auto& line : lines_) {
        if (line->hwnd() == nullptr) {
            throw std::runtime_error("could not create a line");
        }
    }
}

Parts::~Parts()
{
    PaintBuffer::releaseFont();
    for (const auto& [font, handle] : fonts_) {
        DeleteObject(handle);
    }
}

QuizLabel& Parts::label(Part part) const
{
    return held(labels_, part);
}

QuizButton& Parts::button(Part part) const
{
    return held(buttons_, part);
}

QuizList& Parts::list(Part part) const
{
    return held(lists_, part);
}

void Parts::setLook(const present::Look& look)
{
    for (std::size_t i = 0; i < design::partCount; ++i) {
        const auto part = static_cast<Part>(i);
        if (panels_[i] != nullptr) {
            panels_[i]->setGround(look.ground);
        }
        if (labels_[i] != nullptr) {
            labels_[i]->setGround(look.ground);
        }
        if (buttons_[i] != nullptr) {
            buttons_[i]->setLook(look.button(part), look.ground, look.focusMark);
        }
        if (lists_[i] != nullptr) {
            lists_[i]->setInks(look.list(part));
        }
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        lines_[i]->setInk(look.lines[i]);
    }
}

std::optional<Part> Parts::partOf(HWND window) const
{
    if (window == nullptr) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < design::partCount; ++i) {
        if (windows_[i] == window) {
            return static_cast<Part>(i);
        }
    }
    return std::nullopt;
}

} // namespace vorlen::win32
