// In-memory stand-ins for the window's controls. Each keeps its current
// values in plain public fields (a test may set them directly, as the child or
// the window would), appends every successful write to one log shared by the
// whole window, and can be told to refuse an operation by throwing
// std::runtime_error. They draw nothing and know nothing of the quiz.
#pragma once

#include "engine/controls.h"
#include "engine/texts.h"

#include <array>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlen::fake {

// Writes in the order they happened, as "Label4.setForeColor(0xFF0000)".
using CallLog = std::vector<std::string>;

class FakeControl;

// What the controls of one window share: the log, and each other by name.
struct Wiring {
    CallLog log;
    bool refuseWithNonStandardThrow = false; // refuse by throwing an int, not a std::exception
    std::map<std::string, FakeControl*, std::less<>> byName;
};

class FakeControl {
public:
    FakeControl(std::string name, Wiring& wiring) : name_(std::move(name)), wiring_(&wiring)
    {
        wiring.byName[name_] = this;
    }
    FakeControl(const FakeControl&) = delete;
    FakeControl& operator=(const FakeControl&) = delete;
    virtual ~FakeControl() = default;

    [[nodiscard]] const std::string& name() const { return name_; }

    // Refuse the operation (a method name such as "setCaption" or "caption")
    // on every call from now on, or only on its nth call, counted from 1 over
    // the control's whole life.
    void failAlways(const std::string& op) { plans_[op] = 0; }
    void failOnCall(const std::string& op, int n) { plans_[op] = n; }
    void failNever() { plans_.clear(); }

    // Calls of the operation so far, refused ones included.
    [[nodiscard]] int calls(const std::string& op) const
    {
        const auto it = counts_.find(op);
        return it == counts_.end() ? 0 : it->second;
    }

protected:
    // Counts a call and throws when it is planned to fail.
    void enter(const std::string& op) const
    {
        const int n = ++counts_[op];
        const auto plan = plans_.find(op);
        if (plan != plans_.end() && (plan->second == 0 || plan->second == n)) {
            if (wiring_->refuseWithNonStandardThrow) {
                throw n; // NOLINT(hicpp-exception-baseclass): a control may throw anything
            }
            throw std::runtime_error(name_ + "." + op + " refused");
        }
    }
    // A write: counted, maybe refused, then logged and stored.
    template <typename T>
    void store(const std::string& op, const std::string& logged, T& field, const T& value)
    {
        enter(op);
        wiring_->log.push_back(name_ + "." + op + "(" + logged + ")");
        field = value;
    }
    template <typename T> const T& read(const std::string& op, const T& field) const
    {
        enter(op);
        return field;
    }
    static std::string flag(bool on) { return on ? "true" : "false"; }
    static std::string hex(Colour colour)
    {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(colour));
        return buffer;
    }

private:
    std::string name_;
    Wiring* wiring_;
    std::map<std::string, int> plans_;
    mutable std::map<std::string, int> counts_;
};

class FakeLabel final : public Label, public FakeControl {
public:
    using FakeControl::FakeControl;
    std::string caption;
    Colour foreColor = 0;
    bool visible = true;

    void setCaption(const std::string& text) override { store("setCaption", text, caption, text); }
    void setForeColor(Colour colour) override { store("setForeColor", hex(colour), foreColor, colour); }
    void setVisible(bool on) override { store("setVisible", flag(on), visible, on); }
};

class FakeButton final : public Button, public FakeControl {
public:
    using FakeControl::FakeControl;
    std::string shown; // the caption
    bool enabled = false;

    [[nodiscard]] std::string caption() const override { return read("caption", shown); }
    void setCaption(const std::string& text) override { store("setCaption", text, shown, text); }
    void setEnabled(bool on) override { store("setEnabled", flag(on), enabled, on); }
};

class FakePanel final : public Panel, public FakeControl {
public:
    using FakeControl::FakeControl;
    bool visible = false;
    bool enabled = true;

    [[nodiscard]] bool isVisible() const override { return read("isVisible", visible); }
    void setVisible(bool on) override { store("setVisible", flag(on), visible, on); }
    void setEnabled(bool on) override { store("setEnabled", flag(on), enabled, on); }
};

class FakeDropDownList final : public DropDownList, public FakeControl {
public:
    template <std::size_t N>
    FakeDropDownList(std::string name, Wiring& wiring, const std::array<std::string_view, N>& list)
        : FakeControl(std::move(name), wiring), entries(list.begin(), list.end())
    {
    }
    std::vector<std::string> entries;
    int index = -1; // none selected
    bool enabled = false;

    void setListIndex(int at) override
    {
        if (at < -1 || at >= static_cast<int>(entries.size())) {
            throw std::out_of_range("no such list entry");
        }
        store("setListIndex", std::to_string(at), index, at);
    }
    [[nodiscard]] std::string text() const override
    {
        enter("text");
        return index < 0 ? std::string() : entries[static_cast<std::size_t>(index)];
    }
    void setEnabled(bool on) override { store("setEnabled", flag(on), enabled, on); }

    // What the child does: picks an entry by its text.
    void pick(std::string_view entry)
    {
        for (std::size_t n = 0; n < entries.size(); ++n) {
            if (entries[n] == entry) {
                index = static_cast<int>(n);
                return;
            }
        }
        throw std::invalid_argument("not in the list");
    }
};

class FakeTextBox final : public TextBox, public FakeControl {
public:
    using FakeControl::FakeControl;
    std::string value;

    [[nodiscard]] std::string text() const override { return read("text", value); }
    void setText(const std::string& text) override { store("setText", text, value, text); }
};

class FakeTimer final : public Timer, public FakeControl {
public:
    using FakeControl::FakeControl;
    bool enabled = true;

    void setEnabled(bool on) override { store("setEnabled", flag(on), enabled, on); }
};

class FakeWebBrowser final : public WebBrowser, public FakeControl {
public:
    using FakeControl::FakeControl;
    std::string visited; // the last address navigated to

    void navigate(const std::string& address) override { store("navigate", address, visited, address); }
};

// One of each control the engine touches, with the values the window is
// created with as far as the engine can tell: panels hidden, answer buttons
// and lists disabled, timers running, command9 showing "Başla".
// NOLINTBEGIN(readability-identifier-naming)
struct FakeWindow : Wiring {
    FakeLabel Label1{"Label1", *this}, Label2{"Label2", *this}, Label3{"Label3", *this},
        Label4{"Label4", *this}, Label5{"Label5", *this}, Label6{"Label6", *this}, Label7{"Label7", *this},
        Label8{"Label8", *this}, Label9{"Label9", *this}, Label10{"Label10", *this},
        Label11{"Label11", *this}, Label12{"Label12", *this}, Label13{"Label13", *this};
    FakePanel Frame1{"Frame1", *this}, Frame2{"Frame2", *this}, Frame3{"Frame3", *this},
        Frame4{"Frame4", *this}, Frame5{"Frame5", *this};
    FakeDropDownList Combo1{"Combo1", *this, text::tableList}, Combo2{"Combo2", *this, text::orderList};
    FakeTextBox Text1{"Text1", *this};
    FakeButton cev1{"cev1", *this}, cev2{"cev2", *this}, cev3{"cev3", *this}, cev4{"cev4", *this};
    FakeButton command9{"command9", *this}, chameleonButton1{"chameleonButton1", *this},
        chameleonButton2{"chameleonButton2", *this};
    FakeTimer Timer1{"Timer1", *this}, Timer2{"Timer2", *this}, Timer3{"Timer3", *this};
    FakeWebBrowser WebBrowser1{"WebBrowser1", *this};

    FakeWindow()
    {
        command9.shown = text::start;
        chameleonButton1.shown = chameleonButton2.shown = text::ok;
        Label12.caption = Label13.caption = text::wrong;
        Label2.caption = "x";
        cev1.shown = cev2.shown = cev3.shown = cev4.shown = "0";
    }

    [[nodiscard]] Controls controls()
    {
        return Controls{Frame1,  Frame2,   Frame3,           Frame4,           Frame5,     Label1, Label2,
                        Label3,  Label4,   Label5,           Label6,           Label7,     Label8, Label9,
                        Label10, Label11,  Label12,          Label13,          cev1,       cev2,   cev3,
                        cev4,    command9, chameleonButton1, chameleonButton2, Combo1,     Combo2, Text1,
                        {},      Timer1,   Timer2,           Timer3,           WebBrowser1};
    }

    [[nodiscard]] std::array<FakeButton*, 4> answers() { return {&cev1, &cev2, &cev3, &cev4}; }

    // A control by its name in the window; throws for an unknown name.
    [[nodiscard]] FakeControl& find(std::string_view name)
    {
        const auto it = byName.find(name);
        if (it == byName.end()) {
            throw std::invalid_argument("no such control");
        }
        return *it->second;
    }
};
// NOLINTEND(readability-identifier-naming)

} // namespace vorlen::fake
