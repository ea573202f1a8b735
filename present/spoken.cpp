#include "present/spoken.h"

#include "engine/texts.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vorlen::present {

namespace {

constexpr std::array<Part, 4> answers{Part::cev1, Part::cev2, Part::cev3, Part::cev4};

// Each count is read once, through its caption label: "Doğru sayısı : 1".
constexpr std::array<std::pair<Part, Part>, 3> counts{{
    {Part::Label6, Part::Label9},
    {Part::Label7, Part::Label10},
    {Part::Label8, Part::Label11},
}};

std::string oneLine(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

Role role(Part part)
{
    switch (part) {
    case Part::Frame5:
        return Role::Alert;
    case Part::Label1: // the question panel says the question in words
    case Part::Label2:
    case Part::Label3:
    case Part::Label9: // each count's caption label carries its value
    case Part::Label10:
    case Part::Label11:
    case Part::Label12: // the wrong-answer panel says what these two blink
    case Part::Label13:
    case Part::Text1:
    case Part::Timer1:
    case Part::Timer2:
    case Part::Timer3:
        return Role::LeftOut;
    default:
        break;
    }
    switch (design::kind(part)) {
    case design::Kind::Panel:
        return Role::Grouping;
    case design::Kind::Label:
        return Role::StaticText;
    case design::Kind::Button:
        return Role::Button;
    case design::Kind::List:
        return Role::List;
    case design::Kind::Picture:
        return Role::Graphic;
    case design::Kind::TextBox:
    case design::Kind::Timer:
        break;
    }
    return Role::LeftOut;
}

std::string windowDescription()
{
    // The caption after the program's name: the maker, the web address and
    // the telephone number.
    const std::string caption = design::windowCaption();
    const std::string lead = std::string(phrase::windowName) + std::string(design::captionSeparator);
    return caption.starts_with(lead) ? caption.substr(lead.size()) : caption;
}

Spoken::Spoken(WindowModel& model)
{
    for (std::size_t i = 0; i < design::partCount; ++i) {
        const auto part = static_cast<Part>(i);
        model.setInTree(part, role(part) != Role::LeftOut);
    }
    model.setDescription(Part::Combo1, std::string(phrase::tableChoice));
    model.setDescription(Part::Combo2, std::string(phrase::orderChoice));
    name(model);
}

void Spoken::name(WindowModel& model) const
{
    const auto caption = [&model](Part part) -> const std::string& { return model[part].caption; };
    const bool running = caption(Part::command9) == text::stop;

    model.setName(Part::Frame1,
                  running ? caption(Part::Label1) + std::string(phrase::times) + caption(Part::Label3)
                          : std::string(phrase::samples));
    model.setName(Part::Frame5, caption(Part::Label12) + " " + caption(Part::Label13));
    model.setName(Part::Label4, caption(Part::Label4));
    model.setName(Part::Label5, oneLine(caption(Part::Label5)));
    for (const auto& [label, value] : counts) {
        model.setName(label, caption(label) + caption(value));
    }
    model.setName(Part::command9, caption(Part::command9));
    // In a quiz each answer is called what it shows, so that a child who
    // speaks to the computer can say it. While idle the answers show locked
    // samples, new eleven times a second, that nobody can press or say: they
    // are out of the tree, and nameless, so that nothing a screen reader
    // follows changes at the samples' pace.
    for (const Part answer : answers) {
        model.setInTree(answer, running);
        model.setName(answer, running ? caption(answer) : std::string());
    }
    model.setName(Part::chameleonButton1, caption(Part::chameleonButton1));
    model.setName(Part::chameleonButton2, caption(Part::chameleonButton2));
    // Both lists are read with the label before them.
    model.setName(Part::Combo1, caption(Part::Label4));
    model.setName(Part::Combo2, caption(Part::Label4));
    model.setName(Part::Image1, std::string(phrase::dedication));
}

Said Spoken::afterLoad(WindowModel& model)
{
    Said said = after(model, std::nullopt);
    said.focus = Part::command9;
    return said;
}

Said Spoken::after(WindowModel& model, std::optional<Part> pressed)
{
    name(model);
    if (pressed && std::find(answers.begin(), answers.end(), *pressed) != answers.end()) {
        lastAnswer_ = pressed;
    }
    const bool running = model[Part::command9].caption == text::stop;
    const bool open = model[Part::Frame5].visible;

    // What changed is said through the focus where the focus moves (a screen
    // reader names the panel it enters, then the control), and through an
    // announcement where it stays.
    Said said;
    const auto announceQuestion = [&] { said.announcement = Announcement::status(model[Part::Frame1].name); };
    if (open && !panelOpen_) {
        said.focus = Part::chameleonButton2;
        said.announcement =
            Announcement{.text = model[Part::Frame5].name, .urgent = true, .carrier = Part::Frame5};
    } else if (!open && panelOpen_) {
        // Back to the answer that opened the panel, where the child left off;
        // the question panel it enters says the next question.
        if (lastAnswer_ && model.canTakeFocus(*lastAnswer_)) {
            said.focus = lastAnswer_;
        } else if (running) {
            announceQuestion();
        }
    } else if (running && !open && pressed) {
        // A quiz started, or a right answer: the next question, even when it
        // is the same as the last one.
        announceQuestion();
    } else if (!running && running_) {
        said.announcement = Announcement::status(model[Part::command9].caption);
    }
    panelOpen_ = open;
    running_ = running;
    return said;
}

} // namespace vorlen::present
