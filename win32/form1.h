// The program's one window: builds every panel, control and line from the
// design table as child windows with their fixed control IDs, hands them to
// the quiz engine through adapters, runs the engine's load step just before
// the window is first shown, and forwards every press and timer tick to the
// engine. It scales every place, size and font by the window's dpi. The quiz
// rules live in the engine, not here.
#pragma once

#include "design/design.h"
#include "engine/controls.h"
#include "engine/quiz_engine.h"
#include "engine/random_source.h"
#include "win32/window_class.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <windows.h>

namespace vorlen::win32 {

class QuizButton;
class QuizLabel;
class QuizLine;
class QuizList;
class QuizPanel;
class QuizPicture;
class TimerAdapter;
class Accessibility;

// The window keeps the name it has always had.
class Form1 {
public:
    struct Options {
        std::string counterAddress = design::counterAddress();
        RandomSource::Clock clock = &RandomSource::timeOfDay;
        std::uint64_t seed = 0x5EED5EED5EEDULL;
        // What carries out the visit-counter request; none: the WinINet
        // request, which gives up after counterTimeoutMs.
        std::unique_ptr<WebBrowser> browser;
        int counterTimeoutMs = 15000;
        // Where a failure that reaches the window goes: one line each.
        std::function<void(const std::string&)> reportFailure = &Form1::reportToDebuggerAndConsole;
        // The program ends its message loop when the window closes.
        bool quitOnClose = false;
    };

    Form1();
    explicit Form1(Options options);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }
    [[nodiscard]] int dpi() const { return dpi_; }

    // Shows the window (the load step runs first, once) and puts the focus
    // on the start button.
    void show(int how = SW_SHOWNORMAL);

    // For the message loop: Tab and Shift+Tab move the focus along the
    // window's focus order. True when the message was used up.
    bool preTranslate(const MSG& message);

    // A panel, control or line by its name in the design; null if none.
    [[nodiscard]] HWND control(std::string_view name) const;
    [[nodiscard]] QuizLabel* label(std::string_view name) const;
    [[nodiscard]] QuizButton* button(std::string_view name) const;
    [[nodiscard]] QuizList* list(std::string_view name) const;
    [[nodiscard]] const QuizLine* line(std::string_view name) const;
    [[nodiscard]] const TimerAdapter& timer(int number) const; // 1, 2 or 3

    [[nodiscard]] QuizEngine& engine() { return *engine_; }
    [[nodiscard]] const Accessibility& accessibility() const { return *accessibility_; }

    // Reports to a debugger (OutputDebugStringW) and, when the program has
    // a console or a redirected standard error, there too.
    static void reportToDebuggerAndConsole(const std::string& line);

private:
    friend class WindowClass<Form1>;
    struct Adapters;

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void buildPanels();
    void buildControls();
    void buildLines();
    void buildEngine();
    void layout(int dpi);
    HFONT fontFor(const design::Font& font);
    void press(int id);
    void afterPress();
    void buildAccessibility();
    // Keeps the names that screen readers read in step with the window.
    void describeForScreenReaders();
    void moveFocus(bool forward);
    [[nodiscard]] QuizList* listById(int id) const;

    // Every event enters the engine here. A failure that a routine passes on
    // is reported in one line and the window carries on.
    template <typename Routine> void guarded(const char* where, Routine&& routine);

    Options options_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    bool loaded_ = false;
    bool wrongPanelOpen_ = false;
    HWND lastAnswer_ = nullptr; // the answer button pressed last
    HWND focusToRestore_ = nullptr;

    std::vector<std::pair<std::string_view, HWND>> byName_;
    std::vector<std::pair<std::string_view, std::unique_ptr<QuizPanel>>> panels_;
    std::vector<std::pair<std::string_view, std::unique_ptr<QuizLabel>>> labels_;
    std::vector<std::pair<std::string_view, std::unique_ptr<QuizButton>>> buttons_;
    std::vector<std::pair<std::string_view, std::unique_ptr<QuizList>>> lists_;
    std::vector<std::pair<std::string_view, std::unique_ptr<QuizLine>>> lines_;
    std::unique_ptr<QuizPicture> picture_;
    HWND text1_ = nullptr;
    std::vector<std::pair<design::Font, HFONT>> fonts_;

    std::unique_ptr<WebBrowser> browser_;
    std::unique_ptr<Adapters> adapters_;
    std::unique_ptr<QuizEngine> engine_;
    std::unique_ptr<Accessibility> accessibility_;
};

} // namespace vorlen::win32
