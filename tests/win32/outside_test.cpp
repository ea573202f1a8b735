// vorlen.exe driven from a second process, as an automation tool drives it:
// the window found by its caption, the controls by their control IDs, their
// texts, places and states read with window messages, and one right and one
// wrong answer played with BM_CLICK. Then the program started in each show
// mode that a shortcut or another program may give it, and shown from
// outside: it has loaded, at its drawn size.
#include "design/design.h"
#include "tests/support/win32_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vorlen::test::win32 {
namespace {

class OutsideTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.started()) << "cannot start " << VORLEN_EXE;
        // Found as soon as it exists; ready once it is shown.
        window = program.findWindow(widen(design::windowCaption()), true, 15000);
        ASSERT_NE(window, nullptr) << "no window with the program's caption";
    }

    void TearDown() override { EXPECT_EQ(program.close(), 0) << "the program ends with its window"; }

    [[nodiscard]] HWND in(int panel, int control) const { return controlIn(window, panel, control); }
    [[nodiscard]] std::wstring text(int panel, int control) const { return textOf(in(panel, control)); }
    void press(int panel, int control) const { SendMessageW(in(panel, control), BM_CLICK, 0, 0); }

    StartedProgram program{VORLEN_EXE};
    HWND window = nullptr;
};

TEST_F(OutsideTest, FindsReadsAndPlaysTheWindow)
{
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_GE(client.right, 731);
    for (int panel : {id::frame1, id::frame2, id::frame4}) {
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, panel))) << panel;
    }
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, id::frame5)));
    EXPECT_EQ(text(id::frame2, id::command9), L"Başla");
    EXPECT_EQ(text(id::frame2, id::combo1), L"Tümü");
    EXPECT_EQ(text(id::frame4, id::label9), L"0");
    for (int answer : id::answers) {
        EXPECT_FALSE(IsWindowEnabled(in(id::frame1, answer))) << answer;
    }
    const drawn::Box start = boxIn(in(id::frame2, id::command9), GetDlgItem(window, id::frame2));
    EXPECT_GT(start.width, 0);
    EXPECT_GT(start.height, 0);

    press(id::frame2, id::command9);
    ASSERT_EQ(text(id::frame2, id::command9), L"Dur");
    EXPECT_TRUE(IsWindowEnabled(in(id::frame1, id::answers[0])));

    HWND right = answerButton(window, true);
    ASSERT_NE(right, nullptr);
    SendMessageW(right, BM_CLICK, 0, 0);
    EXPECT_EQ(text(id::frame4, id::label9), L"1");
    EXPECT_EQ(text(id::frame4, id::label10), L"1");

    const std::wstring correct =
        std::to_wstring(std::stoi(text(id::frame1, id::label1)) * std::stoi(text(id::frame1, id::label3)));
    HWND wrong = answerButton(window, false);
    ASSERT_NE(wrong, nullptr);
    SendMessageW(wrong, BM_CLICK, 0, 0);
    EXPECT_EQ(text(id::frame4, id::label11), L"1");
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(window, id::frame5)));
    EXPECT_EQ(text(id::frame5, id::label13), L"DOĞRU CEVAP : " + correct);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, id::frame1)));

    press(id::frame5, id::okOfWrongPanel);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, id::frame5)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, id::frame1)));
    EXPECT_EQ(text(id::frame4, id::label9), L"2");
}

struct ShowMode {
    const char* name;
    WORD mode;
    int thenShow; // what the test does from outside; 0: nothing
};

class ShowModeTest : public testing::TestWithParam<ShowMode> {};

void PrintTo(const ShowMode& mode, std::ostream* out)
{
    *out << mode.name;
}

std::string modeName(const testing::TestParamInfo<ShowMode>& mode)
{
    return mode.param.name;
}

TEST_P(ShowModeTest, LoadsBeforeItIsSeenAndKeepsItsDrawnSize)
{
    StartedProgram program(VORLEN_EXE, GetParam().mode);
    ASSERT_TRUE(program.started());
    HWND window = program.findWindow(widen(design::windowCaption()), false, 15000);
    ASSERT_NE(window, nullptr);
    pumpFor(500);
    if (GetParam().thenShow != 0) {
        ShowWindow(window, GetParam().thenShow);
    }
    // A maximised start is put back to the drawn size by a posted restore.
    EXPECT_TRUE(
        pumpUntil([&] { return IsWindowVisible(window) != FALSE && IsZoomed(window) == FALSE; }, 3000));
    EXPECT_FALSE(IsIconic(window));
    for (int panel : {id::frame1, id::frame2, id::frame4}) {
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, panel))) << panel;
    }
    for (int list : {id::combo1, id::combo2}) {
        EXPECT_TRUE(IsWindowEnabled(controlIn(window, id::frame2, list))) << list;
    }
    EXPECT_EQ(textOf(controlIn(window, id::frame4, id::label9)), L"0");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 731);
    EXPECT_EQ(client.bottom, 496);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    // Asked to maximise by its system menu, it stays as it is.
    SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    pumpFor(200);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(program.close(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryMode, ShowModeTest,
                         testing::Values(ShowMode{"Minimised", SW_SHOWMINIMIZED, SW_RESTORE},
                                         ShowMode{"MinimisedInactive", SW_SHOWMINNOACTIVE, SW_RESTORE},
                                         ShowMode{"Maximised", SW_SHOWMAXIMIZED, 0},
                                         ShowMode{"Hidden", SW_HIDE, SW_SHOW}),
                         &modeName);

} // namespace
} // namespace vorlen::test::win32
