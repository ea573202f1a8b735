// The window's controls as the quiz engine sees them: for each kind, only the
// operations the engine calls. The window supplies real widgets behind these;
// the tests supply fakes. Nothing here draws, lays out or owns a control.
#pragma once

#include "engine/parts.h"

#include <cstdint>
#include <string>

namespace vorlen {

// A colour as 0x00BBGGRR: blue in the high byte, red in the low byte.
using Colour = std::uint32_t;

namespace colour {
inline constexpr Colour lightGrey = 0xC0C0C0;
inline constexpr Colour red = 0x0000FF;
inline constexpr Colour darkRed = 0x0000C0;
inline constexpr Colour blue = 0xFF0000;
inline constexpr Colour darkBlue = 0xC00000;
inline constexpr Colour navy = 0x800000;
inline constexpr Colour green = 0x00C000;
inline constexpr Colour white = 0xFFFFFF;
inline constexpr Colour buttonFace = 0xD8E9EC;
} // namespace colour

// Any operation may throw a std::exception when the control refuses it.

class Label {
public:
    virtual ~Label() = default;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setForeColor(Colour colour) = 0;
    virtual void setVisible(bool visible) = 0;
};

class Button {
public:
    virtual ~Button() = default;
    [[nodiscard]] virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setEnabled(bool enabled) = 0;
};

class Panel {
public:
    virtual ~Panel() = default;
    [[nodiscard]] virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setEnabled(bool enabled) = 0;
};

class DropDownList {
public:
    virtual ~DropDownList() = default;
    virtual void setListIndex(int index) = 0;
    [[nodiscard]] virtual std::string text() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

class TextBox {
public:
    virtual ~TextBox() = default;
    [[nodiscard]] virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
};

class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    virtual void navigate(const std::string& address) = 0;
};

// What the engine holds of each kind of part: a reference to its operations,
// or nothing for a picture, which the engine never touches.
struct Untouched {};
template <PartKind> struct ControlOf;
template <> struct ControlOf<PartKind::Panel> {
    using Type = Panel&;
};
template <> struct ControlOf<PartKind::Label> {
    using Type = Label&;
};
template <> struct ControlOf<PartKind::Button> {
    using Type = Button&;
};
template <> struct ControlOf<PartKind::List> {
    using Type = DropDownList&;
};
template <> struct ControlOf<PartKind::TextBox> {
    using Type = TextBox&;
};
template <> struct ControlOf<PartKind::Picture> {
    using Type = Untouched;
};
template <> struct ControlOf<PartKind::Timer> {
    using Type = Timer&;
};

// Every part the engine touches, by the name it has in the window
// (engine/parts.h), and the web browser.
// NOLINTBEGIN(readability-identifier-naming,cppcoreguidelines-avoid-const-or-ref-data-members)
struct Controls {
#define VORLEN_CONTROL(name, kind) ControlOf<PartKind::kind>::Type name;
    VORLEN_PARTS(VORLEN_CONTROL)
#undef VORLEN_CONTROL
    WebBrowser& WebBrowser1;
};
// NOLINTEND(readability-identifier-naming,cppcoreguidelines-avoid-const-or-ref-data-members)

} // namespace vorlen
