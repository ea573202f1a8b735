// The Windows window in the test's own process: its places, sizes and fonts
// as drawn at the prefix's dpi and after a move to 144 dpi; every kind of
// change the model sends applied in one quiz played by keyboard and mouse;
// the screen as it stands; the timers and the counter request on real ticks;
// the system settings passed in; a part that refuses its change; a report.
// The rules behind all of it are the window model's (tests/present).
#include "present/look.h"
#include "tests/support/drawn_window.h"
#include "tests/support/fault_server.h"
#include "tests/support/win32_support.h"
#include "win32/form1.h"
#include "win32/parts.h"
#include "win32/quiz_button.h"
#include "win32/quiz_label.h"
#include "win32/quiz_line.h"
#include "win32/system_look.h"
#include "win32/unicode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <oleacc.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlen::win32 {
namespace {

using namespace std::chrono_literals;
using design::Part;
using test::drawn::Box;
using test::drawn::Rgb;
using test::win32::answerButton;
using test::win32::boxIn;
using test::win32::Pixels;
using test::win32::pumpUntil;
using test::win32::textOf;
namespace drawn = test::drawn;

Form1::Options quiet(std::vector<std::string>* failures)
{
    Form1::Options options;
    options.form.seed = 42;
    options.form.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"; // refused at once
    options.form.reportFailure = [failures](const std::string& line) { failures->push_back(line); };
    return options;
}

void click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
}

// What a screen reader reads of the window: its name, or its description.
std::wstring msaa(HWND window, bool description)
{
    IAccessible* object = nullptr;
    BSTR text = nullptr;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&object)))) {
        (void)(description ? object->get_accDescription(self, &text) : object->get_accName(self, &text));
        object->Release();
    }
    std::wstring read(text != nullptr ? text : L"");
    SysFreeString(text);
    return read;
}

class Form1Test : public testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<Form1>(quiet(&failures));
        dpi = form->dpi();
    }

    // A length drawn at 96 dpi, at the window's dpi; within a pixel off 96
    // dpi, since the window rounds each twips value at its own dpi.
    [[nodiscard]] int at(int pixelsAt96) const
    {
        return static_cast<int>(std::lround(pixelsAt96 * dpi / 96.0));
    }
    [[nodiscard]] int slack() const { return dpi == 96 ? 0 : 1; }

    // A part by the name drawn_window.h gives it.
    HWND get(std::string_view name) const { return form->parts().hwnd(part(name)); }
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
    std::wstring text(std::string_view name) const { return textOf(get(name)); }
    bool visible(std::string_view name) const { return IsWindowVisible(get(name)) != FALSE; }
    bool enabled(std::string_view name) const { return IsWindowEnabled(get(name)) != FALSE; }
    Box onScreen(std::string_view name) const { return boxIn(get(name), form->hwnd()); }
    void showWindow()
    {
        form->show();
        pumpUntil({}, 50);
    }
    // Whether the samples run: the question and the first answer change
    // within 400 ms, nearly five ticks of Timer1, while messages are pumped.
    bool samplesRun() const
    {
        const auto sample = [this] { return text("Label1") + text("Label3") + text("cev1"); };
        const std::wstring first = sample();
        return pumpUntil([&] { return sample() != first; }, 400);
    }

    std::unique_ptr<Form1> form;
    std::vector<std::string> failures;
    int dpi = 96;
};

TEST_F(Form1Test, PlacesSizesAndFontsAsDrawnAtThePrefixDpiAndAfterAMoveTo144Dpi)
{
    if (const char* wanted = std::getenv("VORLEN_TEST_DPI")) {
        EXPECT_EQ(dpi, std::atoi(wanted));
    }
    const auto asDrawn = [this] {
        RECT client{};
        GetClientRect(form->hwnd(), &client);
        EXPECT_EQ(client.right, at(drawn::clientWidth));
        EXPECT_EQ(client.bottom, at(drawn::clientHeight));
        const auto scaled = [this](const Box& box) {
            return Box{at(box.left), at(box.top), at(box.width), at(box.height)};
        };
        const auto expectBox = [this](const Box& box, const Box& want, std::string_view name) {
            EXPECT_NEAR(box.left, want.left, 2 * slack()) << name;
            EXPECT_NEAR(box.top, want.top, slack()) << name;
            EXPECT_NEAR(box.width, want.width, slack()) << name;
            EXPECT_NEAR(box.height, want.height, slack()) << name;
        };
        for (const auto& panel : drawn::panels) {
            expectBox(onScreen(panel.name), scaled(panel.box), panel.name);
        }
        for (const auto& row : drawn::controls) {
            Box want = scaled(row.box);
            Box shown = boxIn(get(row.name), get(row.panel));
            if (design::kind(part(row.name)) == design::Kind::Label) {
                // A label shows its caption placed by its anchor in its box,
                // inside its window.
                const QuizLabel& label = form->parts().label(part(row.name));
                const SIZE caption = label.captionSize();
                const present::Box told = present::captionBox(
                    row.anchor, {want.left, want.top, want.width, want.height}, {caption.cx, caption.cy});
                want = {told.left, told.top, told.width, told.height};
                const RECT place = label.captionPlace();
                EXPECT_TRUE(place.left >= shown.left && place.right <= shown.right() &&
                            place.top >= shown.top && place.bottom <= shown.bottom())
                    << row.name;
                shown = {place.left, place.top, place.right - place.left, place.bottom - place.top};
            }
            EXPECT_EQ(GetParent(get(row.name)), get(row.panel)) << row.name;
            expectBox(shown, want, row.name);
        }
        for (const drawn::ControlFont& wanted : drawn::fonts) {
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(get(wanted.name), WM_GETFONT, 0, 0)),
                       sizeof(font), &font);
            EXPECT_EQ(narrow(font.lfFaceName), wanted.family) << wanted.name;
            EXPECT_EQ(font.lfHeight, -std::lround(wanted.points * dpi / 72.0)) << wanted.name;
            EXPECT_EQ(font.lfWeight, wanted.bold ? FW_BOLD : FW_NORMAL) << wanted.name;
            EXPECT_EQ(font.lfCharSet, 162) << wanted.name << ": the Turkish character set";
        }
        EXPECT_EQ(boxIn(form->parts().line(4).hwnd(), get("Frame5")).height, at(4)) << "Line5";
    };
    asDrawn();
    showWindow();
    RECT suggested{10, 10, 1200, 900};
    SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form->dpi(), 144);
    dpi = 144;
    asDrawn();
}

// Load: a list's choice, a timer started, the focus, the names and
// descriptions read. Then a list chosen by keyboard, the quiz started with
// Space, a right answer given with Enter under the mouse and a wrong one
// clicked: captions, colours, enabled and visible states, a timer stopped.
TEST_F(Form1Test, AppliesEveryKindOfChangeInAQuizPlayedByKeyboardAndMouse)
{
    showWindow();
    EXPECT_EQ(text("Combo1"), L"Tümü");
    EXPECT_TRUE(samplesRun());
    EXPECT_EQ(msaa(get("Combo1"), false), L"Sorma Şekli :");
    EXPECT_EQ(msaa(get("Combo1"), true), L"Çarpım tablosu seçimi");
    EXPECT_EQ(GetFocus(), get("command9"));
    // Tab walks the focus order, passing over the disabled answers.
    for (const char* next : {"Combo1", "Combo2", "command9", "Combo1"}) {
        const MSG tab{
            .hwnd = GetFocus(), .message = WM_KEYDOWN, .wParam = VK_TAB, .lParam = 0, .time = 0, .pt = {}};
        EXPECT_TRUE(form->preTranslate(tab));
        EXPECT_EQ(GetFocus(), get(next)) << next;
    }
    for (int step = 0; step < 6; ++step) {
        SendMessageW(get("Combo1"), WM_KEYDOWN, VK_DOWN, 0);
    }
    EXPECT_EQ(text("Combo1"), L"6 lar");

    // Space presses once per stroke, as the key comes up; held, the face
    // darkens: each channel of the beige at 100/112.
    HWND start = get("command9");
    SetFocus(start);
    SendMessageW(start, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(start, WM_KEYDOWN, VK_SPACE, 1L << 30); // auto-repeat
    EXPECT_GT(Pixels(form->hwnd()).count(onScreen("command9"), Rgb{210, 208, 192}), 50);
    EXPECT_EQ(text("command9"), L"Başla");
    SendMessageW(start, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(text("command9"), L"Dur");
    EXPECT_EQ(text("Label1") + text("Label3"), L"61");
    EXPECT_GT(Pixels(form->hwnd()).count(onScreen("Label1"), drawn::red), 50);
    EXPECT_EQ(msaa(get("Frame1"), false), L"6 çarpı 1");
    EXPECT_FALSE(enabled("Combo1"));
    EXPECT_FALSE(samplesRun());

    // Under the mouse an answer lightens (the beige at 100/96) and turns navy.
    HWND right = answerButton(form->hwnd(), true);
    const Box box = boxIn(right, form->hwnd());
    POINT centre{box.left + box.width / 2, box.top + box.height / 2};
    ClientToScreen(form->hwnd(), &centre);
    SetCursorPos(centre.x, centre.y);
    SendMessageW(right, WM_MOUSEMOVE, 0, MAKELPARAM(box.width / 2, box.height / 2));
    const Pixels hovered(form->hwnd());
    EXPECT_GT(hovered.count(box, drawn::navy), 50);
    EXPECT_GT(hovered.count(box, {245, 242, 225}), 50);
    SetFocus(right);
    SendMessageW(right, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(right, WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(text("Label9") + text("Label10") + text("Label3"), L"112") << "scored, the next question";

    HWND wrong = answerButton(form->hwnd(), false);
    SetFocus(wrong);
    click(wrong);
    EXPECT_TRUE(visible("Frame5"));
    EXPECT_EQ(text("Label13"), L"DOĞRU CEVAP : 12");
    EXPECT_EQ(GetFocus(), get("chameleonButton2"));
    EXPECT_FALSE(enabled("Frame1"));
    // On screen, the open panel's red frame above the others; the answer
    // under the mouse, locked, keeps its blue caption on beige.
    SendMessageW(right, WM_MOUSEMOVE, 0, MAKELPARAM(box.width / 2, box.height / 2));
    const Pixels locked(form->hwnd());
    const Box panel = onScreen("Frame5");
    for (const auto& line : drawn::lines) {
        if (line.panel == "Frame5") {
            const int x =
                panel.left + at(std::max(0, std::min(line.x1, line.x2)) + (line.x1 == line.x2 ? 0 : 20));
            const int y =
                panel.top + at(std::max(0, std::min(line.y1, line.y2)) + (line.y1 == line.y2 ? 0 : 20));
            EXPECT_EQ(locked.at(x, y), line.colour) << line.name;
        }
    }
    EXPECT_GT(locked.count(box, drawn::blue), 50);
    EXPECT_GT(locked.count(box, drawn::beige), 50);
    EXPECT_EQ(locked.count(box, drawn::navy), 0);
    EXPECT_GT(locked.count(onScreen("command9"), drawn::red), 10);
    SetCursorPos(0, 0);

    click(get("chameleonButton2"));
    EXPECT_FALSE(visible("Frame5"));
    EXPECT_EQ(GetFocus(), wrong) << "back to the answer that opened the panel";
    click(start);
    EXPECT_EQ(text("command9"), L"Başla");
    EXPECT_TRUE(samplesRun());
    EXPECT_TRUE(failures.empty());
}

// The idle window as the screen shows it, and the dedication under the score
// in its three lines.
TEST_F(Form1Test, IdleScreenAndTheDedicationInThreeLines)
{
    showWindow();
    const Pixels screen(form->hwnd());
    // A disabled answer's text is greyed from the face: the beige at 100/150.
    for (const auto& [name, colour] :
         {std::pair{"cev1", Rgb{157, 155, 144}}, std::pair{"Label1", drawn::lightGrey},
          std::pair{"Label4", drawn::blue}, std::pair{"Combo1", drawn::blue},
          std::pair{"Combo1", drawn::white}}) {
        EXPECT_GT(screen.count(onScreen(name), colour), 50) << name;
    }
    const Box dedication = onScreen("Label5");
    int lines = 0;
    bool inked = false;
    for (int y = dedication.top; y < dedication.bottom(); ++y) {
        const bool ink = screen.count({dedication.left, y, dedication.width, 1}, drawn::darkBlue) > 0;
        lines += ink && !inked ? 1 : 0;
        inked = ink;
    }
    EXPECT_EQ(lines, 3);

    // The dedication panel, never shown in use: its picture and the grey rule.
    ShowWindow(get("Frame3"), SW_SHOWNA);
    const Pixels panel(form->hwnd());
    const Box picture = onScreen("Image1");
    EXPECT_EQ(panel.at(picture.left + 1, picture.top + 1), drawn::beige);
    EXPECT_EQ(panel.at(onScreen("Frame3").left + at(100), onScreen("Frame3").top + at(200)),
              drawn::lightGrey);
}

// A caption written to a button shows at once: the screen, read as it
// stands, changes with the caption and comes back with it.
TEST_F(Form1Test, AButtonShowsEveryCaptionItIsGiven)
{
    showWindow();
    click(get("command9")); // the samples stop; the answers show their captions in blue
    QuizButton& cev1 = form->parts().button(Part::cev1);
    const auto blueOnScreen = [this] { return Pixels(form->hwnd()).count(onScreen("cev1"), drawn::blue); };
    cev1.setCaption(L"1");
    const int one = blueOnScreen();
    cev1.setCaption(L"100");
    EXPECT_GT(blueOnScreen(), one + 50);
    cev1.setCaption(L"1");
    EXPECT_EQ(blueOnScreen(), one);
}

TEST(Form1Timers, SamplesTheCounterRequestOnceAndTheBlinkOnRealTicks)
{
    test::FaultServer server(test::FaultServer::Fault::Ok);
    ASSERT_TRUE(server.listening());
    Form1::Options options;
    options.form.counterAddress = server.pageAddress();
    options.form.counterDeadline = 3000ms;
    const auto created = std::chrono::steady_clock::now();
    Form1 form(std::move(options));
    form.show();
    const auto shown = [&form](Part part) { return IsWindowVisible(form.parts().hwnd(part)) != FALSE; };
    // The counter's timer ticks once, about two seconds after creation.
    ASSERT_TRUE(pumpUntil([&] { return server.connections() > 0; }, 6000)) << "no request arrived";
    EXPECT_GE(std::chrono::steady_clock::now() - created, 1900ms);

    const auto sample = [&form] {
        return textOf(form.parts().hwnd(Part::Label1)) + textOf(form.parts().hwnd(Part::cev1));
    };
    const std::wstring first = sample();
    EXPECT_TRUE(pumpUntil([&] { return sample() != first; }, 2000)) << "the idle animation draws samples";
    pumpUntil({}, 2000);
    EXPECT_EQ(server.connections(), 1) << "once per run";

    click(form.parts().hwnd(Part::command9));
    click(answerButton(form.hwnd(), false));
    ASSERT_TRUE(shown(Part::Frame5));
    // The two lines take turns on screen.
    const auto inked = [&form](Part label, drawn::Rgb colour) {
        return Pixels(form.hwnd()).count(test::win32::boxIn(form.parts().hwnd(label), form.hwnd()), colour) >
               20;
    };
    const auto warning = [&] {
        return inked(Part::Label12, drawn::darkRed) && !inked(Part::Label13, drawn::green);
    };
    const auto correct = [&] {
        return !inked(Part::Label12, drawn::darkRed) && inked(Part::Label13, drawn::green);
    };
    EXPECT_TRUE(pumpUntil(warning, 1000));
    EXPECT_TRUE(pumpUntil(correct, 1000));
    EXPECT_TRUE(pumpUntil(warning, 1000));
}

// Windows tells screen readers of every child window that moves, resizes,
// shows or hides (EVENT_OBJECT_LOCATIONCHANGE, SHOW, HIDE) and of every text
// set through a system window procedure (NAMECHANGE, VALUECHANGE); Wine
// raises none of these. So they are counted as the messages that raise
// them, while the samples run and while the wrong-answer panel blinks: at
// most 5 in 3 s each, where a window that moved its question labels at each
// sample, kept its scratch cell in an edit control and showed and hid its blinking
// lines raised 48 and 30.
HHOOK watching = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
int raisingMessages = 0;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
LRESULT CALLBACK countRaising(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent != nullptr && (GetWindowLongPtrW(sent->hwnd, GWL_STYLE) & WS_CHILD) != 0) {
        if (sent->message == WM_WINDOWPOSCHANGED) {
            const auto* position = reinterpret_cast<const WINDOWPOS*>(sent->lParam);
            const UINT still = SWP_NOMOVE | SWP_NOSIZE;
            raisingMessages += (position->flags & still) != still ||
                               (position->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0;
        } else if (sent->message == WM_SETTEXT) {
            std::array<wchar_t, 16> name{};
            GetClassNameW(sent->hwnd, name.data(), static_cast<int>(name.size()));
            raisingMessages += std::wstring_view(name.data()).starts_with(L"Vorlen") ? 0 : 1;
        }
    }
    return CallNextHookEx(watching, code, wParam, lParam);
}

TEST(Form1Quiet, NothingThatTicksTellsScreenReadersOfAChange)
{
    std::vector<std::string> failures;
    Form1 form(quiet(&failures));
    form.show();
    const auto raisedOver3s = [] {
        pumpUntil({}, 500);
        raisingMessages = 0;
        pumpUntil({}, 3000);
        return raisingMessages;
    };
    watching = SetWindowsHookExW(WH_CALLWNDPROC, &countRaising, nullptr, GetCurrentThreadId());
    ASSERT_NE(watching, nullptr);
    const int idle = raisedOver3s();
    click(form.parts().hwnd(Part::command9));
    click(answerButton(form.hwnd(), false));
    const int blinking = raisedOver3s();
    std::printf("moved, shown, hidden or renamed by the system in 3 s: %d idle, %d blinking\n", idle,
                blinking);
    EXPECT_LE(idle, 5) << "while the samples run";
    EXPECT_LE(blinking, 5) << "while the panel blinks";
    UnhookWindowsHookEx(watching);
}

// Each state of a button, put on it by the messages that make it, painted as
// the look has it, under each setting: its face, its lower edge where it is
// raised, its caption's colour, and the focus mark in its place.
TEST_F(Form1Test, EveryStateTheLookDecidesIsPaintedSo)
{
    const auto rgb = [](const present::Ink& ink) {
        const COLORREF colour = win32::colourOf(ink);
        return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    };
    for (const present::Preferences& preferences :
         {present::Preferences{}, present::Preferences{.moreContrast = true},
          present::Preferences{.forcedColours = true}}) {
        Form1::Options options = quiet(&failures);
        options.readPreferences = [preferences] { return preferences; };
        form = std::make_unique<Form1>(std::move(options));
        showWindow();
        HWND start = get("command9");
        const Box box = onScreen("command9");
        POINT centre{box.width / 2, box.height / 2};
        const LPARAM inside = MAKELPARAM(centre.x, centre.y);
        ClientToScreen(start, &centre);
        struct Row {
            const char* what;
            present::ButtonState state;
            void (*put)(HWND, LPARAM);
        };
        const Row rows[] = {
            {"plain", {}, [](HWND, LPARAM) {}},
            {"under the pointer",
             {.hovered = true},
             [](HWND b, LPARAM at) { SendMessageW(b, WM_MOUSEMOVE, 0, at); }},
            {"held by a key",
             {.pressed = true, .focused = true},
             [](HWND b, LPARAM) {
                 SetFocus(b);
                 SendMessageW(b, WM_KEYDOWN, VK_SPACE, 0);
             }},
            {"held under the pointer",
             {.hovered = true, .pressed = true, .focused = true},
             [](HWND b, LPARAM at) {
                 SendMessageW(b, WM_MOUSEMOVE, 0, at);
                 SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, at);
             }},
            {"focused", {.focused = true}, [](HWND b, LPARAM) { SetFocus(b); }},
            {"locked", {.enabled = false}, [](HWND b, LPARAM) { EnableWindow(b, FALSE); }},
        };
        const present::Look look = present::look(preferences);
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.what) + (preferences.moreContrast    ? ", more contrast"
                                                  : preferences.forcedColours ? ", forced colours"
                                                                              : ""));
            SetFocus(get("Combo1"));
            SetCursorPos(row.state.hovered ? centre.x : 0, row.state.hovered ? centre.y : 0);
            row.put(start, inside);
            pumpUntil({}, 20);
            const present::ButtonPaint paint = look.button(Part::command9).in(row.state);
            const Pixels pixels(form->hwnd());
            EXPECT_EQ(pixels.at(box.left + 6, box.top + 6), rgb(paint.face));
            if (paint.raised) {
                EXPECT_EQ(pixels.at(box.left + 6, box.top + box.height - 2), rgb(paint.lowerEdge));
            }
            EXPECT_GT(pixels.count(box, rgb(paint.text)), 20) << "the caption";
            int marked = 0;
            int inMarkColour = 0;
            for (int y = box.top + 6; y < box.top + box.height - 6; ++y) {
                const Rgb pixel = pixels.at(box.left + present::focusInsetPx, y);
                marked += pixel != rgb(paint.face) ? 1 : 0;
                inMarkColour += look.focusMark.role && pixel == rgb(look.focusMark) ? 1 : 0;
            }
            EXPECT_EQ(marked > 5, paint.focusMark);
            EXPECT_EQ(inMarkColour > 5, paint.focusMark && look.focusMark.role);
            // Back to plain, pressing nothing, with the pointer's own moves
            // delivered before it leaves.
            ReleaseCapture();
            SetCursorPos(0, 0);
            pumpUntil({}, 20);
            SendMessageW(start, WM_MOUSELEAVE, 0, 0);
            EnableWindow(start, TRUE);
        }
        EXPECT_EQ(text("command9"), L"Başla") << "nothing was pressed";
    }
    SetCursorPos(0, 0);
}

// Wine keeps client-area animation as Windows does, so that setting is set
// for real, and told to this window only; Wine cannot switch a high-contrast
// theme on, so that one comes through the window's settings reader.
TEST_F(Form1Test, MinimisingLessMotionAndAHighContrastThemeArePassedIn)
{
    showWindow();
    ShowWindow(form->hwnd(), SW_MINIMIZE);
    EXPECT_FALSE(samplesRun()) << "nobody sees the samples";
    ShowWindow(form->hwnd(), SW_RESTORE);
    EXPECT_TRUE(samplesRun());
    for (const INT_PTR animation : {FALSE, TRUE}) { // Wine animates by default
        SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(animation), 0);
        SendMessageW(form->hwnd(), WM_SETTINGCHANGE, SPI_SETCLIENTAREAANIMATION, 0);
        EXPECT_EQ(form->form().preferences().reducedMotion, animation == FALSE);
        EXPECT_EQ(samplesRun(), animation != FALSE) << "one still sample";
    }

    Form1::Options options = quiet(&failures);
    options.readPreferences = [] {
        return present::Preferences{.moreContrast = true, .forcedColours = true};
    };
    form = std::make_unique<Form1>(std::move(options));
    showWindow();
    // The score panel's ground is the system's window colour.
    const COLORREF canvas = GetSysColor(COLOR_WINDOW);
    const Box box = onScreen("Frame4");
    EXPECT_GT(Pixels(form->hwnd()).count(box, {GetRValue(canvas), GetGValue(canvas), GetBValue(canvas)}),
              box.width * box.height / 2);
}

TEST_F(Form1Test, APartThatRefusesItsChangeIsReportedAndTheRestAreApplied)
{
    showWindow();
    DestroyWindow(get("Text1"));
    // Text1 holds the last answer written, and a start that writes the same
    // value again changes nothing; start again until its value differs.
    click(get("command9"));
    for (int again = 0; again < 8 && failures.empty(); ++again) {
        click(get("command9"));
        click(get("command9"));
    }
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_EQ(failures[0], "vorlen: Text1: the text box refused its text");
    EXPECT_FALSE(samplesRun()) << "the parts after Text1 are applied too";
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
