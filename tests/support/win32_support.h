// What the Windows window tests share: running the message loop against a
// deadline, reading a window's pixels back, and boxes in a parent's pixels.
// Linking this makes the test process dpi-aware, as the program is through
// its manifest, so that the window sees the prefix's real dpi.
#pragma once

#include "tests/support/drawn_window.h"

#include <functional>
#include <optional>
#include <string>
#include <windows.h>

namespace vorlen::test::win32 {

// Runs the message loop until done() holds or the deadline passes; true if
// done() held. preTranslate, when given, sees each message first.
bool pumpUntil(const std::function<bool()>& done, int deadlineMs,
               const std::function<bool(const MSG&)>& preTranslate = {});
void pumpFor(int ms);

// The window's box in the client area of its parent (or of the window
// given), in pixels.
[[nodiscard]] drawn::Box boxIn(HWND window, HWND parent);

[[nodiscard]] std::wstring textOf(HWND window);

[[nodiscard]] std::wstring widen(const std::string& utf8);

// The control IDs an automation tool finds the program's controls by.
namespace id {
inline constexpr int frame1 = 101;
inline constexpr int frame2 = 102;
inline constexpr int frame4 = 104;
inline constexpr int frame5 = 105;
inline constexpr int label1 = 201;
inline constexpr int label3 = 203;
inline constexpr int label9 = 209;
inline constexpr int label10 = 210;
inline constexpr int label11 = 211;
inline constexpr int label13 = 213;
inline constexpr int combo1 = 401;
inline constexpr int combo2 = 402;
inline constexpr int command9 = 309;
inline constexpr int answers[] = {301, 302, 303, 304};
inline constexpr int okOfWrongPanel = 312;
} // namespace id

// A control of the program's window, in another process or this one, by its
// panel's control ID and its own.
[[nodiscard]] HWND controlIn(HWND window, int panel, int control);

// The answer button that shows the product of the question on screen
// (right), or one that does not; null if none.
[[nodiscard]] HWND answerButton(HWND window, bool right);

// A program of the build started as a person or an automation tool starts
// it, in a process of its own: optionally in a show mode (STARTUPINFO's
// wShowWindow), optionally suspended until resume(), so that a listener can
// be set on its process first.
class StartedProgram {
public:
    // unixPath: the build's path, run under Wine from drive Z:.
    explicit StartedProgram(const std::string& unixPath, std::optional<WORD> showMode = std::nullopt,
                            bool suspended = false);
    ~StartedProgram(); // ends the program if close() did not
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    [[nodiscard]] bool started() const { return process_.hProcess != nullptr; }
    [[nodiscard]] DWORD processId() const { return process_.dwProcessId; }
    void resume() const;

    // Waits for the program's top-level window with this caption (and, if
    // asked, until it is visible); null when none came by the deadline.
    HWND findWindow(const std::wstring& caption, bool visible, int deadlineMs);

    // Closes the window and waits for the program to end: its exit code, or
    // -1 if it did not end by the deadline (it is then ended).
    int close(int deadlineMs = 10000);

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The window's client area as the screen shows it, pixel by pixel, once the
// paints already asked for have run.
class Pixels {
public:
    explicit Pixels(HWND window);
    [[nodiscard]] drawn::Rgb at(int x, int y) const;
    // How many pixels in [left, right) x [top, bottom) have exactly this colour.
    [[nodiscard]] int count(const drawn::Box& box, drawn::Rgb colour) const;
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::basic_string<unsigned char> bgra_;
};

} // namespace vorlen::test::win32
