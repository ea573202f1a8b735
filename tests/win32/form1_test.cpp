// The Windows window in the test's own process: its creation state and its
// idle state after the load step against the window as drawn, a quiz played
// through BM_CLICK, the timers on real ticks, a part that refuses its change, and the
// fonts' Turkish letters. At a prefix dpi of 144 the same checks run with
// every place and size scaled by 1.5.
#include "engine/texts.h"
#include "tests/support/answer.h"
#include "tests/support/drawn_window.h"
#include "tests/support/fault_server.h"
#include "tests/support/win32_support.h"
#include "win32/form1.h"
#include "win32/parts.h"
#include "win32/quiz_button.h"
#include "win32/quiz_label.h"
#include "win32/quiz_line.h"
#include "win32/quiz_list.h"
#include "win32/unicode.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace vorlen::win32 {
namespace {

using design::Part;
using test::drawn::Anchor;
using test::drawn::Box;
using test::drawn::Rgb;
using test::win32::boxIn;
using test::win32::Pixels;
using test::win32::pumpUntil;
using test::win32::textOf;
namespace drawn = test::drawn;

Rgb rgbOf(COLORREF colour)
{
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

class Form1Test : public testing::Test {
protected:
    void SetUp() override
    {
        Form1::Options options;
        options.form.seed = 42;
        options.form.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"; // refused at once
        options.form.reportFailure = [this](const std::string& line) { failures.push_back(line); };
        form = std::make_unique<Form1>(std::move(options));
        dpi = form->dpi();
    }

    // A length drawn at 96 dpi, at the window's dpi; within a pixel, since
    // the window rounds each twips value at its own dpi.
    [[nodiscard]] int at(int pixelsAt96) const
    {
        return static_cast<int>(std::lround(pixelsAt96 * dpi / 96.0));
    }
    [[nodiscard]] int slack() const { return dpi == 96 ? 0 : 1; }

    // A part or line by the name drawn_window.h gives it.
    HWND get(std::string_view name)
    {
        for (std::size_t i = 0; i < design::lines.size(); ++i) {
            if (design::lines[i].name == name) {
                return form->parts().line(i).hwnd();
            }
        }
        HWND window = form->parts().hwnd(part(name));
        EXPECT_NE(window, nullptr) << name;
        return window;
    }
    static Part part(std::string_view name)
    {
        for (std::size_t i = 0; i < design::partCount; ++i) {
            if (design::name(static_cast<Part>(i)) == name) {
                return static_cast<Part>(i);
            }
        }
        ADD_FAILURE() << "no part " << name;
        return Part::Frame1;
    }
    QuizLabel& label(std::string_view name) { return form->parts().label(part(name)); }
    std::wstring text(std::string_view name) { return textOf(get(name)); }
    void click(std::string_view name) { SendMessageW(get(name), BM_CLICK, 0, 0); }
    bool visible(std::string_view name) { return IsWindowVisible(get(name)) != FALSE; }
    bool enabled(std::string_view name) { return IsWindowEnabled(get(name)) != FALSE; }

    void showWindow()
    {
        form->show();
        pumpUntil({}, 50);
    }

    std::string_view answer(bool right)
    {
        const auto part = test::answerButton(
            [this](Part shown) { return narrow(textOf(form->parts().hwnd(shown))); }, right);
        EXPECT_TRUE(part) << "no " << (right ? "right" : "wrong") << " answer on the buttons";
        return design::name(part.value_or(Part::cev1));
    }

    std::unique_ptr<Form1> form;
    std::vector<std::string> failures;
    int dpi = 96;
};

TEST_F(Form1Test, RunsAtThePrefixDpi)
{
    const char* wanted = std::getenv("VORLEN_TEST_DPI");
    if (wanted != nullptr) {
        EXPECT_EQ(dpi, std::atoi(wanted));
    }
    RECT client{};
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(client.right, at(drawn::clientWidth));
    EXPECT_EQ(client.bottom, at(drawn::clientHeight));
}

TEST_F(Form1Test, MovingToAMonitorOf144DpiScalesPlacesSizesAndFonts)
{
    showWindow();
    RECT suggested{10, 10, 1200, 900};
    SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    dpi = 144;
    EXPECT_EQ(form->dpi(), 144);
    RECT client{};
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(client.right, 1097);
    EXPECT_EQ(client.bottom, 744);
    const Box answerBox = boxIn(get("cev4"), get("Frame1"));
    EXPECT_NEAR(answerBox.left, 776, 1);
    EXPECT_NEAR(answerBox.width, 174, 1);
    const Box count = boxIn(get("Label9"), get("Frame4"));
    EXPECT_NEAR(count.left, 984, 1);
    const Box panel = boxIn(get("Frame5"), form->hwnd());
    EXPECT_NEAR(panel.left, 320, 1);
    EXPECT_NEAR(panel.width, 456, 1);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(get("Label1"), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -96) << "48 points at 144 dpi";
    const Box line = boxIn(get("Line5"), get("Frame5"));
    EXPECT_EQ(line.height, 6) << "4 pixels at 96 dpi";
}

TEST_F(Form1Test, WindowIsFixedWithItsCaptionAndStackedPanels)
{
    const auto style = GetWindowLongPtrW(form->hwnd(), GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "not resizable";
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_CAPTION, 0);
    const std::wstring caption = textOf(form->hwnd());
    EXPECT_EQ(caption.rfind(L"Vorlen   -   Keldar Yazılım ve Bilgisayar Hizmetleri   -   ", 0), 0U);
    std::size_t separators = 0;
    for (std::size_t at = caption.find(L"   -   "); at != std::wstring::npos;
         at = caption.find(L"   -   ", at + 1)) {
        ++separators;
    }
    EXPECT_EQ(separators, 3U);

    // The control IDs an automation tool finds the panels by, and their stacking.
    const std::array<std::pair<const char*, int>, 5> ids{
        {{"Frame1", 101}, {"Frame2", 102}, {"Frame3", 103}, {"Frame4", 104}, {"Frame5", 105}}};
    for (const auto& [name, id] : ids) {
        EXPECT_EQ(GetDlgItem(form->hwnd(), id), get(name)) << name;
        const auto panelStyle = GetWindowLongPtrW(get(name), GWL_STYLE);
        EXPECT_EQ(panelStyle & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS), WS_CLIPCHILDREN | WS_CLIPSIBLINGS)
            << name;
    }
    auto depth = [&](const char* name) {
        int index = 0;
        for (HWND each = GetWindow(form->hwnd(), GW_CHILD); each != nullptr;
             each = GetWindow(each, GW_HWNDNEXT)) {
            if (each == get(name)) {
                return index;
            }
            ++index;
        }
        return -1;
    };
    for (const char* lower : {"Frame1", "Frame2", "Frame4"}) {
        for (const char* upper : {"Frame5", "Frame3"}) {
            EXPECT_LT(depth(upper), depth(lower)) << upper << " above " << lower;
        }
    }
}

TEST_F(Form1Test, CreationStateAsDrawn)
{
    for (const auto& panel : drawn::panels) {
        SCOPED_TRACE(std::string(panel.name));
        const Box box = boxIn(get(panel.name), form->hwnd());
        EXPECT_NEAR(box.left, at(panel.box.left), slack());
        EXPECT_NEAR(box.top, at(panel.box.top), slack());
        EXPECT_NEAR(box.width, at(panel.box.width), slack());
        EXPECT_NEAR(box.height, at(panel.box.height), slack());
        EXPECT_FALSE(IsWindowVisible(get(panel.name)));
    }
    for (const auto& row : drawn::controls) {
        SCOPED_TRACE(std::string(row.name));
        HWND control = get(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), get(row.panel));
        const Box box = boxIn(control, get(row.panel));
        Box want{at(row.box.left), at(row.box.top), at(row.box.width), at(row.box.height)};
        const design::Kind kind = design::kind(part(row.name));
        if (kind == design::Kind::Label) {
            EXPECT_EQ(rgbOf(label(row.name).colour()), row.text);
            const SIZE caption = label(row.name).captionSize();
            const present::Box told = present::captionBox(
                row.anchor, {want.left, want.top, want.width, want.height}, {caption.cx, caption.cy});
            want = {told.left, told.top, told.width, told.height};
        }
        // Within a pixel off 96 dpi, where the window rounds each twips value
        // at its own dpi.
        EXPECT_NEAR(box.left, want.left, 2 * slack());
        EXPECT_NEAR(box.top, want.top, slack());
        EXPECT_NEAR(box.width, want.width, slack());
        EXPECT_NEAR(box.height, want.height, slack());
        if (kind == design::Kind::Button) {
            const QuizButton& button = form->parts().button(part(row.name));
            EXPECT_EQ(rgbOf(button.textColour()), row.text);
            const bool answer = row.name.starts_with("cev");
            EXPECT_EQ(rgbOf(button.hoverTextColour()), answer ? drawn::answerHover : row.text);
        }
        if (kind == design::Kind::List) {
            const QuizList& list = form->parts().list(part(row.name));
            EXPECT_EQ(rgbOf(list.textColour()), row.text);
            EXPECT_EQ(rgbOf(list.backgroundColour()), drawn::white);
        }
    }
    for (const char* name : {"Combo1", "Combo2"}) {
        EXPECT_FALSE(enabled(name)) << name;
        EXPECT_EQ(SendMessageW(get(name), CB_GETCURSEL, 0, 0), CB_ERR) << name;
        EXPECT_NE(GetWindowLongPtrW(get(name), GWL_STYLE) & CBS_DROPDOWNLIST, 0) << "no typing";
    }
    EXPECT_EQ(SendMessageW(get("Combo1"), CB_GETCOUNT, 0, 0), 11);
    EXPECT_EQ(SendMessageW(get("Combo2"), CB_GETCOUNT, 0, 0), 2);
    const std::array<std::pair<LPARAM, const wchar_t*>, 3> entries{
        {{0, L"Tümü"}, {6, L"6 lar"}, {10, L"10 lar"}}};
    for (const auto& [index, wanted] : entries) {
        wchar_t entry[32] = {};
        SendMessageW(get("Combo1"), CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(entry));
        EXPECT_STREQ(entry, wanted);
    }
    for (const char* answer : {"cev1", "cev2", "cev3", "cev4"}) {
        EXPECT_FALSE(enabled(answer)) << answer;
    }
    EXPECT_EQ(text("cev1"), L"322");
    EXPECT_EQ(text("command9"), L"Başla");
    EXPECT_EQ(text("Text1"), L"Text1");
    EXPECT_EQ(GetWindowLongPtrW(get("Text1"), GWL_STYLE) & (WS_VISIBLE | WS_TABSTOP), 0)
        << "hidden, never focused";

    const std::array<std::pair<Part, UINT>, 3> timers{
        {{Part::Timer1, 85U}, {Part::Timer2, 200U}, {Part::Timer3, 2000U}}};
    for (const auto& [timer, interval] : timers) {
        EXPECT_TRUE(form->timerRunning(timer)) << design::name(timer);
        EXPECT_EQ(form->timerInterval(timer), interval) << design::name(timer);
    }
}

TEST_F(Form1Test, FontsAsRequested)
{
    for (const drawn::ControlFont& wanted : drawn::fonts) {
        SCOPED_TRACE(std::string(wanted.name));
        auto* font = reinterpret_cast<HFONT>(SendMessageW(get(wanted.name), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTW requested{};
        ASSERT_NE(GetObjectW(font, sizeof(requested), &requested), 0);
        EXPECT_EQ(narrow(requested.lfFaceName), wanted.family);
        EXPECT_EQ(requested.lfHeight, -std::lround(wanted.points * dpi / 72.0));
        EXPECT_EQ(requested.lfWeight, wanted.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(requested.lfCharSet, 162) << "the Turkish character set";
        EXPECT_FALSE(requested.lfItalic || requested.lfUnderline || requested.lfStrikeOut);
    }
}

TEST_F(Form1Test, EveryFontLandsOnAFaceWithAllTurkishLetters)
{
    const std::wstring letters = L"şğıİŞĞçöüÇÖÜ";
    for (const char* name : {"Label4", "Label1", "cev1", "Label6", "Label12", "Label13", "Label5"}) {
        SCOPED_TRACE(name);
        auto* font = reinterpret_cast<HFONT>(SendMessageW(get(name), WM_GETFONT, 0, 0));
        HDC dc = GetDC(get(name));
        HGDIOBJ old = SelectObject(dc, font);
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, face);
        std::array<WORD, 12> glyphs{};
        const DWORD converted = GetGlyphIndicesW(dc, letters.c_str(), static_cast<int>(letters.size()),
                                                 glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, old);
        ReleaseDC(get(name), dc);
        EXPECT_EQ(converted, letters.size()) << narrow(face);
        for (std::size_t i = 0; i < letters.size(); ++i) {
            EXPECT_NE(glyphs[i], 0xFFFF) << narrow(face) << " lacks " << narrow(letters.substr(i, 1));
        }
        std::printf("%s: %s\n", name, narrow(face).c_str());
    }
}

TEST_F(Form1Test, IdleStateAfterLoad)
{
    showWindow();
    EXPECT_EQ(text("Combo1"), L"Tümü");
    EXPECT_EQ(text("Combo2"), L"Sıralı");
    EXPECT_TRUE(enabled("Combo1"));
    EXPECT_FALSE(visible("Frame5"));
    EXPECT_EQ(GetFocus(), get("command9"));

    // Tab walks the focus order, passing over the disabled answers.
    const std::array<const char*, 4> order{"Combo1", "Combo2", "command9", "Combo1"};
    for (const char* next : order) {
        MSG tab{
            .hwnd = GetFocus(), .message = WM_KEYDOWN, .wParam = VK_TAB, .lParam = 0, .time = 0, .pt = {}};
        EXPECT_TRUE(form->preTranslate(tab));
        EXPECT_EQ(GetFocus(), get(next)) << next;
    }

    // As the screen shows it: the beige button face, the red "Başla", the
    // grey sample question, blue list text on white.
    const Pixels screen(form->hwnd());
    auto onScreen = [&](const char* name) {
        const Box box = boxIn(get(name), form->hwnd());
        return Box{box.left, box.top, box.width, box.height};
    };
    const Box start = onScreen("command9");
    EXPECT_EQ(screen.at(start.left + at(6), start.top + start.height / 2), drawn::beige);
    EXPECT_GT(screen.count(start, drawn::red), 10);
    // A disabled answer's text is greyed from the face: the beige at 100/150.
    EXPECT_GT(screen.count(onScreen("cev1"), Rgb{157, 155, 144}), 50);
    EXPECT_GT(screen.count(onScreen("Label1"), drawn::lightGrey), 50);
    EXPECT_GT(screen.count(onScreen("Label4"), drawn::blue), 50);
    EXPECT_GT(screen.count(onScreen("Combo1"), drawn::blue), 50);
    EXPECT_GT(screen.count(onScreen("Combo1"), drawn::white), 50);
    EXPECT_GT(screen.count(onScreen("Label5"), drawn::darkBlue), 10);

    // The dedication panel, never shown in use: its picture on the beige
    // ground and the grey rule beneath it.
    ShowWindow(get("Frame3"), SW_SHOWNA);
    const Pixels dedication(form->hwnd());
    const Box picture = onScreen("Image1");
    EXPECT_EQ(dedication.at(picture.left + 1, picture.top + 1), drawn::beige);
    const Box frame = onScreen("Frame3");
    EXPECT_EQ(dedication.at(frame.left + at(100), frame.top + at(200)), drawn::lightGrey);
    ShowWindow(get("Frame3"), SW_HIDE);
}

TEST_F(Form1Test, QuizPlayedThroughBmClick)
{
    showWindow();
    click("command9");
    EXPECT_EQ(text("command9"), L"Dur");
    EXPECT_FALSE(form->timerRunning(Part::Timer1));
    EXPECT_EQ(text("Label1"), L"1");
    EXPECT_EQ(text("Label3"), L"1");
    EXPECT_EQ(rgbOf(label("Label1").colour()), drawn::red);
    EXPECT_FALSE(enabled("Combo1"));

    click(answer(true));
    EXPECT_EQ(text("Label9"), L"1");
    EXPECT_EQ(text("Label10"), L"1");
    EXPECT_EQ(text("Label3"), L"2") << "the next question follows at once";

    const std::string_view wrong = answer(false);
    SetFocus(get(wrong));
    click(wrong);
    EXPECT_TRUE(visible("Frame5"));
    EXPECT_EQ(text("Label13"), L"DOĞRU CEVAP : 2");
    EXPECT_EQ(text("Label11"), L"1");
    EXPECT_EQ(GetFocus(), get("chameleonButton2")) << "the OK button takes the focus";
    for (const char* locked : {"Frame1", "Frame2", "Frame4"}) {
        EXPECT_FALSE(enabled(locked)) << locked;
    }

    // The open panel covers no answer and no count, and its frame is red;
    // the locked buttons keep their blue and red captions on beige.
    const Box panel = boxIn(get("Frame5"), form->hwnd());
    for (std::string_view name : drawn::uncoveredByFrame5) {
        const Box box = boxIn(get(name), form->hwnd());
        const bool apart = box.right() <= panel.left || panel.right() <= box.left ||
                           box.bottom() <= panel.top || panel.bottom() <= box.top;
        EXPECT_TRUE(apart) << name;
    }
    const Pixels screen(form->hwnd());
    for (const auto& line : drawn::lines) {
        if (line.panel != "Frame5") {
            continue;
        }
        SCOPED_TRACE(std::string(line.name));
        const int x =
            panel.left + at(std::max(0, std::min(line.x1, line.x2)) + (line.x1 == line.x2 ? 0 : 20));
        const int y = panel.top + at(std::max(0, std::min(line.y1, line.y2)) + (line.y1 == line.y2 ? 0 : 20));
        EXPECT_EQ(screen.at(x, y), line.colour);
    }
    const Box firstAnswer = boxIn(get("cev1"), form->hwnd());
    EXPECT_GT(screen.count(firstAnswer, drawn::blue), 50);
    EXPECT_GT(screen.count(firstAnswer, drawn::beige), 50);
    EXPECT_GT(screen.count(boxIn(get("command9"), form->hwnd()), drawn::red), 10);

    click("chameleonButton2");
    EXPECT_FALSE(visible("Frame5"));
    EXPECT_EQ(text("Label3"), L"3");
    EXPECT_TRUE(enabled("cev1"));
    EXPECT_EQ(GetFocus(), get(wrong)) << "back to the answer that opened the panel";

    click("command9");
    EXPECT_EQ(text("command9"), L"Başla");
    EXPECT_EQ(text("Label9"), L"0");
    EXPECT_TRUE(form->timerRunning(Part::Timer1));
    EXPECT_TRUE(failures.empty());
}

TEST_F(Form1Test, AListChosenByKeyboardSetsTheQuiz)
{
    showWindow();
    HWND tables = get("Combo1");
    SetFocus(tables);
    for (int step = 0; step < 6; ++step) {
        SendMessageW(tables, WM_KEYDOWN, VK_DOWN, 0);
    }
    EXPECT_EQ(text("Combo1"), L"6 lar");
    click("command9");
    EXPECT_EQ(text("Label1"), L"6");
    EXPECT_EQ(text("Label3"), L"1");
}

TEST_F(Form1Test, SpaceAndEnterPressTheFocusedButtonOncePerStroke)
{
    showWindow();
    HWND start = get("command9");
    SetFocus(start);
    SendMessageW(start, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(start, WM_KEYDOWN, VK_SPACE, 1L << 30); // auto-repeat
    // Held down, the face darkens: each channel of the beige at 100/112.
    EXPECT_GT(Pixels(form->hwnd()).count(boxIn(start, form->hwnd()), Rgb{210, 208, 192}), 50);
    EXPECT_EQ(text("command9"), L"Başla") << "the press comes as the key comes up";
    SendMessageW(start, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(text("command9"), L"Dur");

    // Enter held on an answer, then the focus moves on: nothing is judged.
    HWND right = get(answer(true));
    SetFocus(right);
    SendMessageW(right, WM_KEYDOWN, VK_RETURN, 0);
    SetFocus(start);
    SendMessageW(right, WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(text("Label9"), L"0");

    SetFocus(right);
    SendMessageW(right, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(right, WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(text("Label10"), L"1");

    // A disabled button takes no key and no click.
    click("command9");
    ASSERT_FALSE(enabled("cev1"));
    SendMessageW(get("cev1"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(get("cev1"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    click("cev1");
    EXPECT_EQ(text("Label9"), L"0");
}

TEST_F(Form1Test, AnswerLightensAndTurnsNavyUnderTheMouseButNeverWhileLocked)
{
    showWindow();
    click("command9");
    const std::string_view right = answer(true);
    const Box box = boxIn(get(right), form->hwnd());
    POINT centre{box.left + box.width / 2, box.top + box.height / 2};
    ClientToScreen(form->hwnd(), &centre);
    SetCursorPos(centre.x, centre.y);
    SendMessageW(get(right), WM_MOUSEMOVE, 0, MAKELPARAM(box.width / 2, box.height / 2));
    // The face lightens under the pointer: each channel of the beige at 100/96.
    constexpr Rgb hoveredFace{245, 242, 225};
    const Pixels hovered(form->hwnd());
    EXPECT_GT(hovered.count(box, drawn::navy), 50);
    EXPECT_EQ(hovered.count(box, drawn::blue), 0);
    EXPECT_GT(hovered.count(box, hoveredFace), 50);
    EXPECT_EQ(hovered.count(box, drawn::beige), 0);

    click(answer(false));
    ASSERT_TRUE(visible("Frame5"));
    SendMessageW(get(right), WM_MOUSEMOVE, 0, MAKELPARAM(box.width / 2, box.height / 2));
    const Pixels locked(form->hwnd());
    EXPECT_GT(locked.count(box, drawn::blue), 50) << "a locked answer keeps its blue caption";
    EXPECT_EQ(locked.count(box, drawn::navy), 0);
    EXPECT_EQ(locked.count(box, hoveredFace), 0);
    SetCursorPos(0, 0);
}

// A caption written to a button shows at once: the screen, read as it
// stands, changes with the caption and comes back with it.
TEST_F(Form1Test, AButtonShowsEveryCaptionItIsGiven)
{
    showWindow();
    click("command9"); // the samples stop; the answers show their captions in blue
    QuizButton& cev1 = form->parts().button(Part::cev1);
    const auto blueOnScreen = [this] {
        return Pixels(form->hwnd()).count(boxIn(get("cev1"), form->hwnd()), drawn::blue);
    };
    cev1.setCaption(L"1");
    const int one = blueOnScreen();
    cev1.setCaption(L"100");
    EXPECT_GT(blueOnScreen(), one + 50);
    cev1.setCaption(L"1");
    EXPECT_EQ(blueOnScreen(), one);
}

TEST_F(Form1Test, TimersOnRealTicks)
{
    showWindow();
    auto sample = [&] { return text("Label1") + L"x" + text("Label3") + L"=" + text("cev1"); };
    const std::wstring first = sample();
    EXPECT_TRUE(pumpUntil([&] { return sample() != first; }, 2000)) << "the idle animation draws samples";
    EXPECT_FALSE(enabled("cev1")) << "samples cannot be answered";

    // The counter's timer ticks once, about two seconds after creation (what
    // it asks for: Form1CounterTest).
    EXPECT_TRUE(pumpUntil([&] { return !form->timerRunning(Part::Timer3); }, 4000));

    click("command9");
    click(answer(false));
    ASSERT_TRUE(visible("Frame5"));
    auto warning = [&] { return visible("Label12") && !visible("Label13"); };
    auto correct = [&] { return !visible("Label12") && visible("Label13"); };
    EXPECT_TRUE(pumpUntil(warning, 1000));
    EXPECT_TRUE(pumpUntil(correct, 1000));
    EXPECT_TRUE(pumpUntil(warning, 1000));
    EXPECT_TRUE(failures.empty());
}

TEST(Form1CounterTest, AsksTheCounterPageOnceOverTheNetworkAboutTwoSecondsAfterCreation)
{
    test::FaultServer server(test::FaultServer::Fault::Ok);
    ASSERT_TRUE(server.listening());
    Form1::Options options;
    options.form.counterAddress = server.pageAddress();
    options.form.counterDeadline = std::chrono::milliseconds(3000);
    const auto created = std::chrono::steady_clock::now();
    Form1 form(std::move(options));
    form.show();
    ASSERT_TRUE(pumpUntil([&] { return server.connections() > 0; }, 6000)) << "no request arrived";
    const auto after = std::chrono::steady_clock::now() - created;
    EXPECT_GE(after, std::chrono::milliseconds(1900));
    pumpUntil([&] { return server.request().find("\r\n\r\n") != std::string::npos; }, 3000);
    EXPECT_EQ(server.request().rfind("GET /sayac/qelnor.php HTTP/1.1\r\n", 0), 0U) << server.request();
    pumpUntil({}, 2500);
    EXPECT_EQ(server.connections(), 1) << "once per run";
    EXPECT_FALSE(form.timerRunning(Part::Timer3));
}

TEST_F(Form1Test, APartThatRefusesItsChangeIsReportedAndTheRestAreApplied)
{
    showWindow();
    DestroyWindow(get("Text1"));
    // Text1 holds the last answer written, and a start that writes the same
    // value again changes nothing; start again until its value differs.
    click("command9");
    for (int again = 0; again < 8 && failures.empty(); ++again) {
        click("command9");
        click("command9");
    }
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_EQ(failures[0], "vorlen: Text1: the text box refused its text");
    EXPECT_EQ(text("command9"), L"Dur");
    EXPECT_EQ(text("Label3"), L"1");
    EXPECT_TRUE(enabled("cev1"));
    EXPECT_FALSE(form->timerRunning(Part::Timer1)) << "the parts after Text1 are applied too";
}

TEST(Form1ReportTest, AFailureReachesStandardErrorWhateverItsBytes)
{
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_NE(CreatePipe(&readEnd, &writeEnd, nullptr, 0), FALSE);
    HANDLE saved = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, writeEnd);
    Form1::reportToDebuggerAndConsole("vorlen: Timer1: bad \xff byte");
    SetStdHandle(STD_ERROR_HANDLE, saved);
    CloseHandle(writeEnd);
    char received[64] = {};
    DWORD read = 0;
    ReadFile(readEnd, received, sizeof(received) - 1, &read, nullptr);
    CloseHandle(readEnd);
    EXPECT_STREQ(received, "vorlen: Timer1: bad \xff byte\n");
}

} // namespace
} // namespace vorlen::win32
