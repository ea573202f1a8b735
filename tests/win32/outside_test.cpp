// vorlen.exe started in each show mode that a shortcut or another program may
// give it (STARTUPINFO's, which Windows uses for the first ShowWindow), and
// shown from outside: it has loaded, at its drawn size, and stays there.
#include "design/design.h"
#include "tests/support/win32_support.h"
#include "win32/unicode.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vorlen::test::win32
