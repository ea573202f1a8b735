// The Windows window passes the child's system settings and its minimising
// in to the window model, which decides what they change (tests/present).
// Wine keeps client-area animation as Windows does, so that setting is set
// for real; Wine cannot switch a high-contrast theme on, so that one comes
// through the window's settings reader.
#include "tests/support/win32_support.h"
#include "win32/form1.h"
#include "win32/parts.h"

#include <gtest/gtest.h>

#include <memory>

namespace vorlen::win32 {
namespace {

using design::Part;
using test::win32::pumpUntil;

Form1::Options options()
{
    Form1::Options options;
    options.form.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"; // refused at once
    return options;
}

// Sets client-area animation and tells only this window, as Windows tells
// every window; the prefix gets its animation back at once.
void animate(const Form1& form, BOOL animation)
{
    ASSERT_NE(SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0,
                                    reinterpret_cast<void*>(static_cast<INT_PTR>(animation)), 0),
              FALSE);
    SendMessageW(form.hwnd(), WM_SETTINGCHANGE, SPI_SETCLIENTAREAANIMATION, 0);
    SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(TRUE)),
                          0);
}

TEST(Form1Preferences, LessMotionAndMinimisingStopTheSamples)
{
    Form1 form(options());
    form.show();
    EXPECT_EQ(form.form().preferences(), present::Preferences{}) << "Wine animates by default";
    ShowWindow(form.hwnd(), SW_MINIMIZE);
    EXPECT_FALSE(form.timerRunning(Part::Timer1)) << "nobody sees the samples";
    ShowWindow(form.hwnd(), SW_RESTORE);
    EXPECT_TRUE(form.timerRunning(Part::Timer1));

    animate(form, FALSE);
    EXPECT_TRUE(form.form().preferences().reducedMotion);
    EXPECT_TRUE(pumpUntil([&] { return !form.timerRunning(Part::Timer1); }, 2000)) << "one still sample";
    SendMessageW(form.hwnd(), WM_SETTINGCHANGE, SPI_SETCLIENTAREAANIMATION, 0);
    EXPECT_FALSE(form.form().preferences().reducedMotion);
    EXPECT_TRUE(form.timerRunning(Part::Timer1));
}

TEST(Form1Preferences, AHighContrastThemeGivesTheSystemColours)
{
    Form1::Options highContrast = options();
    highContrast.readPreferences = [] {
        return present::Preferences{.moreContrast = true, .forcedColours = true};
    };
    Form1 form(std::move(highContrast));
    form.show();
    pumpUntil({}, 50);
    EXPECT_TRUE(form.form().preferences().forcedColours);
    // The score panel's ground is the system's window colour.
    const COLORREF canvas = GetSysColor(COLOR_WINDOW);
    const test::drawn::Box box = test::win32::boxIn(form.parts().hwnd(Part::Frame4), form.hwnd());
    const test::win32::Pixels pixels(form.hwnd());
    EXPECT_GT(pixels.count(box, {GetRValue(canvas), GetGValue(canvas), GetBValue(canvas)}),
              box.width * box.height / 2);
}

} // namespace
} // namespace vorlen::win32
