// The window's controls as the quiz engine sees them: for each kind, only the
// operations the engine calls. The window supplies real widgets behind these;
// the tests supply fakes. Nothing here draws, lays out or owns a control.
#pragma once

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

// Every control the engine touches, by the name it has in the window.
// NOLINTBEGIN(readability-identifier-naming,cppcoreguidelines-avoid-const-or-ref-data-members)
struct Controls {
    Label& Label1;        // first factor
    Label& Label2;        // the "x" sign
    Label& Label3;        // second factor
    Label& Label4;        // "Sorma Şekli :"
    Label& Label5;        // dedication
    Label& Label6;        // "Toplam soru sayısı : "
    Label& Label7;        // "Doğru sayısı : "
    Label& Label8;        // "Yanlış sayısı : "
    Label& Label9;        // answers given
    Label& Label10;       // right answers
    Label& Label11;       // wrong answers
    Label& Label12;       // "!!! YANLIŞ !!!"
    Label& Label13;       // the correct-answer line
    Panel& Frame1;        // question panel
    Panel& Frame2;        // settings panel
    Panel& Frame3;        // dedication panel
    Panel& Frame4;        // score panel
    Panel& Frame5;        // wrong-answer panel
    DropDownList& Combo1; // table
    DropDownList& Combo2; // order
    TextBox& Text1;       // scratch cell for the answer captions
    Button& cev1;
    Button& cev2;
    Button& cev3;
    Button& cev4;
    Button& command9;         // "Başla" / "Dur"
    Button& chameleonButton1; // OK of the dedication panel
    Button& chameleonButton2; // OK of the wrong-answer panel
    Timer& Timer1;            // idle animation, 85 ms
    Timer& Timer2;            // wrong-answer blink, 200 ms
    Timer& Timer3;            // visit counter, 2000 ms, once
    WebBrowser& WebBrowser1;
};
// NOLINTEND(readability-identifier-naming,cppcoreguidelines-avoid-const-or-ref-data-members)

} // namespace vorlen
