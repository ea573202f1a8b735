// vorlen.exe started in each show mode that a shortcut or another program may
// give it (STARTUPINFO's, which Windows uses for the first ShowWindow), and
// shown from outside: it has loaded, at its drawn size, and stays there.
#include "design/design.h"
#include "tests/support/win32_support.h"
#include "win32/unicode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace vorlen::test::win32 {
namespace {

TEST(ShowModeTest, LoadsBeforeItIsSeenAndKeepsItsDrawnSize)
{
    // The mode it is started in, and what the test then does from outside.
    const std::pair<int, int> modes[] = {{SW_SHOWMINIMIZED, SW_RESTORE},
                                         {SW_SHOWMINNOACTIVE, SW_RESTORE},
                                         {SW_SHOWMAXIMIZED, 0},
                                         {SW_HIDE, SW_SHOW}};
    for (const auto& [mode, thenShow] : modes) {
        SCOPED_TRACE(mode);
        StartedProgram program(L"" VORLEN_EXE, static_cast<WORD>(mode));
        ASSERT_TRUE(program.started());
        program.resume();
        HWND window = program.findWindow(vorlen::win32::widen(design::windowCaption()), false, 15000);
        ASSERT_NE(window, nullptr);
        pumpUntil({}, 500);
        if (thenShow != 0) {
            ShowWindow(window, thenShow);
        }
        // A maximised start is put back to the drawn size by a posted restore.
        EXPECT_TRUE(
            pumpUntil([&] { return IsWindowVisible(window) != FALSE && IsZoomed(window) == FALSE; }, 3000));
        EXPECT_FALSE(IsIconic(window));
        EXPECT_EQ(textOf(controlIn(window, 104, 209)), L"0") << "the count, loaded";
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 731);
        EXPECT_EQ(client.bottom, 496);
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
        // Asked to maximise by its system menu, it stays as it is.
        SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        pumpUntil({}, 200);
        EXPECT_FALSE(IsZoomed(window));
        EXPECT_EQ(program.close(), 0);
    }
}

// A click as a child's mouse gives it, onto the middle of the button: moved
// there, 30 ms still, pressed, 30 ms held, released. Under Wine the mouse is
// the X server's, so the click goes in there (xdotool), as a real mouse's
// would: SendInput from another process races there with the X pointer's
// own motion, and a press may land where the pointer was before, on standard
// buttons as well. Where there is no xdotool (on Windows), through SendInput.
void clickAsAMouse(HWND button)
{
    RECT box{};
    GetWindowRect(button, &box);
    const LONG x = (box.left + box.right) / 2;
    const LONG y = (box.top + box.bottom) / 2;
    std::wstring command = L"/usr/bin/xdotool mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) +
                           L" sleep 0.03 mousedown 1 sleep 0.03 mouseup 1";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (CreateProcessW(L"Z:\\usr\\bin\\xdotool", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started) != FALSE) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        return;
    }
    const auto send = [](INPUT input) { SendInput(1, &input, sizeof(input)); };
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(x * 65535 / std::max(1, GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(y * 65535 / std::max(1, GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send(input);
    pumpUntil({}, 30);
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    send(input);
    pumpUntil({}, 30);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send(input);
}

TEST(ClickTest, EveryClickOfAChildsMouseCounts)
{
    StartedProgram program(L"" VORLEN_EXE);
    ASSERT_TRUE(program.started());
    program.resume();
    HWND window = program.findWindow(vorlen::win32::widen(design::windowCaption()), true, 15000);
    ASSERT_NE(window, nullptr);
    pumpUntil({}, 1000);
    const auto total = [window] { return textOf(controlIn(window, 104, 209)); };
    const auto panelOpen = [window] { return IsWindowVisible(GetDlgItem(window, 105)) != FALSE; };
    clickAsAMouse(controlIn(window, 102, 309)); // Başla
    ASSERT_TRUE(pumpUntil([&] { return textOf(controlIn(window, 102, 309)) == L"Dur"; }, 2000));

    int lostAnswers = 0;
    int lostOks = 0;
    constexpr int clicks = 30;
    for (int i = 0; i < clicks; ++i) {
        const std::wstring before = total();
        clickAsAMouse(answerButton(window, i % 2 == 0));
        if (!pumpUntil([&] { return total() != before; }, 1000)) {
            ++lostAnswers;
            continue;
        }
        if (panelOpen()) {
            clickAsAMouse(controlIn(window, 105, 312)); // Tamam
            if (!pumpUntil([&] { return !panelOpen(); }, 1000)) {
                ++lostOks;
                PostMessageW(controlIn(window, 105, 312), BM_CLICK, 0, 0);
                ASSERT_TRUE(pumpUntil([&] { return !panelOpen(); }, 2000));
            }
        }
    }
    EXPECT_EQ(lostAnswers, 0) << "of " << clicks << " answers clicked";
    EXPECT_EQ(lostOks, 0) << "of " << clicks / 2 << " clicks on Tamam";
    EXPECT_EQ(program.close(), 0);
}

} // namespace
} // namespace vorlen::test::win32
