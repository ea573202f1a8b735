// What must hold on the real window whatever a child does to it, checked
// after every event of the monkey: the two states of the start button and
// the look that goes with each, the wrong-answer panel against the panels it
// locks, the question against its answer buttons, and the three counters.
// It also keeps a tally of what the stream reached, so a run that never left
// the start screen is not mistaken for a passing one.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class Form1;
class QComboBox;
class QTimer;
class QWidget;

namespace vorlen {

struct WindowParts;

struct Tally {
    long starts = 0;
    long stops = 0;
    long right = 0;
    long wrong = 0;
    long panelsClosed = 0;
    std::set<std::pair<QString, QString>> choicesStarted; // texts of Combo1, Combo2
};

class WindowWatch {
public:
    WindowWatch(Form1& form, const std::vector<std::string>& failures);

    // The first invariant that does not hold now, in words; nothing when all hold.
    [[nodiscard]] std::optional<std::string> check();

    [[nodiscard]] const Tally& tally() const { return tally_; }

private:
    // What may not change while the wrong-answer panel is open.
    struct Frozen {
        std::string question;
        std::array<QString, 4> answers;
        std::array<std::string, 3> counts;
        QString command9;
        bool operator==(const Frozen&) const = default;
    };

    [[nodiscard]] std::optional<std::string> checkStates(bool running, bool panelOpen) const;
    [[nodiscard]] std::optional<std::string> checkCounters(bool running, std::array<long, 3>& values) const;
    [[nodiscard]] std::optional<std::string> checkQuestion() const;
    [[nodiscard]] std::optional<std::string> checkPanel(bool panelOpen);
    [[nodiscard]] Frozen frozen() const;
    void count(bool running, bool panelOpen, const std::array<long, 3>& values);

    Form1& form_;
    const WindowParts& p_;
    const std::vector<std::string>& failures_;
    Tally tally_;
    bool wasRunning_ = false;
    bool wasOpen_ = false;
    std::array<long, 3> lastValues_{};
    std::optional<Frozen> frozen_;
    bool counterTicked_ = false;
    bool labelsApart_ = false; // the blink has run once: Label12 and Label13 alternate from now on
};

} // namespace vorlen
