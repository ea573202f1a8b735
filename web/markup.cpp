#include "web/markup.h"

#include "present/drawing.h"

#include <array>
#include <cstdio>

namespace vorlen::web::markup {

std::string cssColour(Colour colour)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", colour & 0xFFU, (colour >> 8U) & 0xFFU,
                  (colour >> 16U) & 0xFFU);
    return text.data();
}

std::string_view systemColourName(design::SystemColour role)
{
    switch (role) {
    case design::SystemColour::Canvas:
        return "Canvas";
    case design::SystemColour::CanvasText:
        return "CanvasText";
    case design::SystemColour::ButtonFace:
        return "ButtonFace";
    case design::SystemColour::ButtonText:
        return "ButtonText";
    case design::SystemColour::GrayText:
        return "GrayText";
    case design::SystemColour::Highlight:
        return "Highlight";
    case design::SystemColour::HighlightText:
        return "HighlightText";
    case design::SystemColour::Field:
        return "Field";
    case design::SystemColour::FieldText:
        return "FieldText";
    }
    return "CanvasText";
}

std::string cssInk(const present::Ink& ink)
{
    return ink.role ? std::string(systemColourName(*ink.role)) : cssColour(ink.colour);
}

std::string shownCaption(Part part, const std::string& caption)
{
    const design::Control* row = design::row(part).control;
    if (row == nullptr || row->kind != design::Kind::Label || row->sizing != design::Sizing::Fixed) {
        return caption;
    }
    return present::shownLines<char>(caption);
}

} // namespace vorlen::web::markup
