// vorlen.exe heard as a Windows screen reader hears it, from a second
// process: a WinEvent hook out of context on the program's process, the
// object of each event read with AccessibleObjectFromEvent at event time.
// Spoken: a focus event, a name change of the focused object, a system
// alert. The quiz is driven from outside with BM_CLICK.
//
// Wine (8.0) delivers all three events to an out-of-context hook in another
// process and marshals IAccessible between the processes. It has no
// UiaRaiseNotificationEvent, so the UI Automation notification is not heard
// here and the program goes on without it.
#include "design/design.h"
#include "tests/support/win32_support.h"
#include "win32/unicode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <oleacc.h>
#include <string>
#include <vector>

namespace vorlen::test::win32 {
namespace {

std::vector<std::wstring> heard; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void CALLBACK hear(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child,
                   DWORD /*thread*/, DWORD /*time*/)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    if (window == nullptr ||
        (event != EVENT_OBJECT_FOCUS && event != EVENT_OBJECT_NAMECHANGE && event != EVENT_SYSTEM_ALERT) ||
        (event == EVENT_OBJECT_NAMECHANGE && window != info.hwndFocus)) {
        return; // a screen reader speaks name changes of the focus only
    }
    IAccessible* accessible = nullptr;
    VARIANT which{};
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                         &accessible, &which))) {
        return;
    }
    BSTR name = nullptr;
    VARIANT role{};
    accessible->get_accRole(which, &role);
    // An alert is said from an object with the alert role.
    if (SUCCEEDED(accessible->get_accName(which, &name)) && name != nullptr &&
        (event != EVENT_SYSTEM_ALERT || (role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_ALERT))) {
        heard.emplace_back(name, SysStringLen(name));
    }
    SysFreeString(name);
    accessible->Release();
    VariantClear(&which);
}

// How often the phrase was heard while the button was pressed and the
// program settled.
std::ptrdiff_t timesHeard(HWND button, const std::wstring& phrase)
{
    heard.clear();
    PostMessageW(button, BM_CLICK, 0, 0);
    pumpUntil({}, 1000);
    return std::count(heard.begin(), heard.end(), phrase);
}

TEST(ScreenReaderTest, HearsTheQuestionAndTheCorrectAnswerOnceEach)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    StartedProgram program(L"" VORLEN_EXE);
    ASSERT_TRUE(program.started()) << "cannot start " << VORLEN_EXE;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_NAMECHANGE, nullptr, &hear,
                                         program.processId(), 0, WINEVENT_OUTOFCONTEXT);
    program.resume();
    HWND window = program.findWindow(vorlen::win32::widen(design::windowCaption()), true, 15000);
    ASSERT_NE(window, nullptr);
    pumpUntil({}, 1500);

    EXPECT_EQ(timesHeard(controlIn(window, 102, 309), L"1 çarpı 1"), 1); // Başla
    EXPECT_EQ(timesHeard(answerButton(window, true), L"1 çarpı 2"), 1);
    EXPECT_EQ(timesHeard(answerButton(window, false), L"!!! YANLIŞ !!! DOĞRU CEVAP : 2"), 1);
    heard.clear();
    pumpUntil({}, 2500);
    EXPECT_TRUE(heard.empty()) << "nothing while the panel blinks";

    UnhookWinEvent(hook);
    EXPECT_EQ(program.close(), 0);
    CoUninitialize();
}

} // namespace
} // namespace vorlen::test::win32
