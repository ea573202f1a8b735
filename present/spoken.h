// What a screen reader hears of the window: every phrase it speaks that the
// window does not show, what each part is (its role), what it is called and
// how it is described, and after each event what is announced and where the
// keyboard focus goes. It reads the window model and writes only names and
// descriptions into it; it decides nothing about the quiz.
#pragma once

#include "present/window_model.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vorlen::present {

// The spoken words that are not captions of the window.
namespace phrase {
inline constexpr std::string_view windowName = "Vorlen";
inline constexpr std::string_view times = " çarpı "; // "7 çarpı 8"
inline constexpr std::string_view samples = "Örnek sorular";
inline constexpr std::string_view tableChoice = "Çarpım tablosu seçimi";
inline constexpr std::string_view orderChoice = "Soru sırası seçimi";
inline constexpr std::string_view dedication = "İthaf";
} // namespace phrase

// What a part is to a screen reader. Left out: never in the accessibility
// tree, because another part says what it shows (the counts, the question's
// labels, the blinking labels) or nobody ever sees it. A part with a role is
// in the tree while its state's inTree holds: the answers are out of it while
// they show locked samples.
enum class Role : std::uint8_t { Grouping, Alert, StaticText, Button, List, Graphic, LeftOut };

[[nodiscard]] Role role(Part part);

// The window's own name, and the maker's line as its description.
[[nodiscard]] std::string windowDescription();

struct Announcement {
    std::string text;
    bool urgent = false;         // an alert, not a polite status
    std::optional<Part> carrier; // the part that says it; none: the window's announcer

    // Said politely by the window's announcer, wherever the focus is.
    [[nodiscard]] static Announcement status(std::string text)
    {
        return {.text = std::move(text), .urgent = false, .carrier = std::nullopt};
    }
};

// What one event leaves to be said.
struct Said {
    std::optional<Announcement> announcement;
    std::optional<Part> focus; // where the keyboard focus moves
};

class Spoken {
public:
    // Gives every part its name and description as the model stands at creation.
    explicit Spoken(WindowModel& model);

    // After the load step: the names, and the focus on the start button.
    [[nodiscard]] Said afterLoad(WindowModel& model);

    // After any other event: the names, and what the child should hear.
    // pressed is the button the child pressed, if any.
    [[nodiscard]] Said after(WindowModel& model, std::optional<Part> pressed);

private:
    void name(WindowModel& model) const;

    bool running_ = false;
    bool panelOpen_ = false;
    std::optional<Part> lastAnswer_; // the answer button pressed last
};

} // namespace vorlen::present
