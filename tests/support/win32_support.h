// What the Windows window tests share: running the message loop against a
// deadline, finding controls, starting the program in a second process and
// reading a window's pixels back. Linking this makes the test process
// dpi-aware, as the program is through its manifest, so that the window sees
// the prefix's real dpi.
#pragma once

#include "tests/support/drawn_window.h"

#include <functional>
#include <optional>
#include <string>
#include <windows.h>

namespace vorlen::test::win32 {

// Runs the message loop until done() holds or the deadline passes; true if
// done() held.
bool pumpUntil(const std::function<bool()>& done, int deadlineMs);

// The window's box in the client area of parent, in pixels.
[[nodiscard]] drawn::Box boxIn(HWND window, HWND parent);
[[nodiscard]] std::wstring textOf(HWND window);

// A control of the program's window, in another process or this one, by its
// panel's control ID and its own, as an automation tool finds it.
[[nodiscard]] HWND controlIn(HWND window, int panel, int control);

// The answer button that shows the product of the question (right), or one
// that does not; null if none.
[[nodiscard]] HWND answerButton(HWND window, bool right);

// vorlen.exe started in a process of its own, optionally in a show mode
// (STARTUPINFO's wShowWindow, as a shortcut gives it), suspended so that a
// listener can be set on its process before resume().
class StartedProgram {
public:
    explicit StartedProgram(std::wstring unixPath, std::optional<WORD> showMode = std::nullopt);
    ~StartedProgram(); // ends the program if close() did not
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    [[nodiscard]] bool started() const { return process_.hProcess != nullptr; }
    [[nodiscard]] DWORD processId() const { return process_.dwProcessId; }
    void resume() const { ResumeThread(process_.hThread); }
    // The program's window with this caption (visible, if asked); null if
    // none came by the deadline.
    HWND findWindow(const std::wstring& caption, bool visible, int deadlineMs);
    // Closes the window: the exit code, or -1 if the program did not end.
    int close();

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The window's client area as the screen shows it, once the paints already
// asked for have run.
class Pixels {
public:
    explicit Pixels(HWND window);
    [[nodiscard]] drawn::Rgb at(int x, int y) const;
    // How many pixels of the box have exactly this colour.
    [[nodiscard]] int count(const drawn::Box& box, drawn::Rgb colour) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::basic_string<unsigned char> bgra_;
};

} // namespace vorlen::test::win32
