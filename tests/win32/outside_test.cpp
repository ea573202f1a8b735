// vorlen.exe driven from a second process, as an automation tool drives it:
// the window found by its caption, the controls by their control IDs, their
// texts, places and states read with window messages, and one right and one
// wrong answer played with BM_CLICK.
#include "design/design.h"
#include "tests/support/win32_support.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlen::test::win32 {
namespace {

std::wstring widen(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

// A Unix path of the build (under Wine) as a Windows path on drive Z:.
std::wstring programPath()
{
    std::wstring path = widen(VORLEN_EXE);
    if (!path.empty() && path[0] == L'/') {
        path = L"Z:" + path;
    }
    for (wchar_t& each : path) {
        if (each == L'/') {
            each = L'\\';
        }
    }
    return path;
}

// The control IDs of the program's window.
constexpr int frame1 = 101;
constexpr int frame2 = 102;
constexpr int frame4 = 104;
constexpr int frame5 = 105;
constexpr int label1 = 201;
constexpr int label3 = 203;
constexpr int label9 = 209;
constexpr int label10 = 210;
constexpr int label11 = 211;
constexpr int label13 = 213;
constexpr int combo1 = 401;
constexpr int command9 = 309;
constexpr int answers[] = {301, 302, 303, 304};
constexpr int okOfWrongPanel = 312;

class OutsideTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::wstring command = L"\"" + programPath() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        ASSERT_NE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process),
                  FALSE)
            << "cannot start " << VORLEN_EXE;
        WaitForInputIdle(process.hProcess, 10000);
        const std::wstring caption = widen(design::windowCaption());
        // Found as soon as it exists; ready once it is shown.
        ASSERT_TRUE(pumpUntil(
            [&] {
                window = FindWindowW(nullptr, caption.c_str());
                return window != nullptr && IsWindowVisible(window) != FALSE;
            },
            15000))
            << "no window with the program's caption";
    }

    void TearDown() override
    {
        if (process.hProcess == nullptr) {
            return;
        }
        if (window != nullptr && IsWindow(window) != FALSE) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the program did not end when its window closed";
            TerminateProcess(process.hProcess, 1);
        }
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0U);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    HWND in(int panel, int id) const { return GetDlgItem(GetDlgItem(window, panel), id); }
    std::wstring text(int panel, int id) const { return textOf(in(panel, id)); }
    void press(int panel, int id) const { SendMessageW(in(panel, id), BM_CLICK, 0, 0); }

    HWND answerShowing(const std::wstring& product, bool showing) const
    {
        for (int id : answers) {
            if ((text(frame1, id) == product) == showing) {
                return in(frame1, id);
            }
        }
        return nullptr;
    }

    std::wstring product() const
    {
        const int first = std::stoi(text(frame1, label1));
        const int second = std::stoi(text(frame1, label3));
        return std::to_wstring(first * second);
    }

    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

TEST_F(OutsideTest, FindsReadsAndPlaysTheWindow)
{
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_GE(client.right, 731);
    for (int panel : {frame1, frame2, frame4}) {
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, panel))) << panel;
    }
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, frame5)));
    EXPECT_EQ(text(frame2, command9), L"Başla");
    EXPECT_EQ(text(frame2, combo1), L"Tümü");
    EXPECT_EQ(text(frame4, label9), L"0");
    for (int id : answers) {
        EXPECT_FALSE(IsWindowEnabled(in(frame1, id))) << id;
    }
    const drawn::Box start = boxIn(in(frame2, command9), GetDlgItem(window, frame2));
    EXPECT_GT(start.width, 0);
    EXPECT_GT(start.height, 0);

    press(frame2, command9);
    ASSERT_EQ(text(frame2, command9), L"Dur");
    EXPECT_TRUE(IsWindowEnabled(in(frame1, answers[0])));

    HWND right = answerShowing(product(), true);
    ASSERT_NE(right, nullptr);
    SendMessageW(right, BM_CLICK, 0, 0);
    EXPECT_EQ(text(frame4, label9), L"1");
    EXPECT_EQ(text(frame4, label10), L"1");

    const std::wstring correct = product();
    HWND wrong = answerShowing(correct, false);
    ASSERT_NE(wrong, nullptr);
    SendMessageW(wrong, BM_CLICK, 0, 0);
    EXPECT_EQ(text(frame4, label11), L"1");
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(window, frame5)));
    EXPECT_EQ(text(frame5, label13), L"DOĞRU CEVAP : " + correct);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, frame1)));

    press(frame5, okOfWrongPanel);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, frame5)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, frame1)));
    EXPECT_EQ(text(frame4, label9), L"2");
}

} // namespace
} // namespace vorlen::test::win32
