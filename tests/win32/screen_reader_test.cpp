// vorlen.exe heard as a Windows screen reader hears it, from a second
// process: a WinEvent hook out of context on the program's process, the
// object of each event read with AccessibleObjectFromEvent at event time,
// and the window's MSAA tree read from the root down. Spoken: a focus event,
// a name change of the focused object, a system alert. The quiz is driven
// from outside with BM_CLICK.
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
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <future>
#include <map>
#include <oleacc.h>
#include <string>
#include <thread>
#include <vector>

namespace vorlen::test::win32 {
namespace {

// NOLINTBEGIN(cppcoreguidelines-avoid-non-const-global-variables): what the hook hears
std::vector<std::wstring> heard;
std::map<DWORD, int> events; // every event from the program, by kind
// NOLINTEND(cppcoreguidelines-avoid-non-const-global-variables)

void CALLBACK hear(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child,
                   DWORD /*thread*/, DWORD /*time*/)
{
    ++events[event];
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

// The events a screen reader is woken by while the window only ticks: at
// most 5 in 3 s, where an idle window that renamed its answers at every
// sample sent about 140.
void expectQuietFor(const char* what)
{
    pumpUntil({}, 500);
    events.clear();
    pumpUntil({}, 3000);
    const int woken = events[EVENT_OBJECT_NAMECHANGE] + events[EVENT_OBJECT_VALUECHANGE] +
                      events[EVENT_OBJECT_SHOW] + events[EVENT_OBJECT_HIDE] +
                      events[EVENT_OBJECT_LOCATIONCHANGE] + events[EVENT_OBJECT_DESCRIPTIONCHANGE];
    std::string all;
    for (const auto& [event, times] : events) {
        std::array<char, 32> kind{};
        std::snprintf(kind.data(), kind.size(), " %04lx:%d", static_cast<unsigned long>(event), times);
        all += kind.data();
    }
    std::printf("%s: %d events that wake a screen reader in 3 s; all events by kind:%s\n", what, woken,
                all.c_str());
    EXPECT_LE(woken, 5) << what << ": name " << events[EVENT_OBJECT_NAMECHANGE] << ", value "
                        << events[EVENT_OBJECT_VALUECHANGE] << ", show " << events[EVENT_OBJECT_SHOW]
                        << ", hide " << events[EVENT_OBJECT_HIDE] << ", location "
                        << events[EVENT_OBJECT_LOCATIONCHANGE] << " in 3 s";
}

// One object of the tree as a screen reader reads it: its depth, role, name
// and whether it is shown.
struct Read {
    int depth;
    long role;
    std::wstring name;
    bool shown;
    bool operator==(const Read&) const = default;
};

void readBelow(IAccessible* accessible, int depth, std::vector<Read>& into)
{
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    VARIANT state{};
    BSTR name = nullptr;
    accessible->get_accRole(self, &role);
    accessible->get_accState(self, &state);
    accessible->get_accName(self, &name);
    into.push_back({.depth = depth,
                    .role = role.vt == VT_I4 ? role.lVal : -1,
                    .name = name != nullptr ? std::wstring(name, SysStringLen(name)) : std::wstring(),
                    .shown = state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_INVISIBLE) == 0});
    SysFreeString(name);
    long count = 0;
    accessible->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    long got = 0;
    if (count > 0 && SUCCEEDED(AccessibleChildren(accessible, 0, count, children.data(), &got))) {
        for (long i = 0; i < got; ++i) {
            VARIANT& child = children[static_cast<std::size_t>(i)];
            IAccessible* below = nullptr;
            if (child.vt == VT_DISPATCH && child.pdispVal != nullptr &&
                SUCCEEDED(
                    child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&below)))) {
                readBelow(below, depth + 1, into);
                below->Release();
            }
            VariantClear(&child);
        }
    }
}

// The whole tree below the window, read as a screen reader reads it when the
// window comes up, on a thread of its own so that a read that stops
// answering fails the test instead of hanging it; each read within 2 s.
std::vector<Read> readTree(HWND window, const char* what)
{
    const auto began = std::chrono::steady_clock::now();
    auto reading = std::async(std::launch::async, [window] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        std::vector<Read> tree;
        IAccessible* root = nullptr;
        if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                 reinterpret_cast<void**>(&root)))) {
            readBelow(root, 0, tree);
            root->Release();
        }
        CoUninitialize();
        return tree;
    });
    const bool done = pumpUntil(
        [&] { return reading.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000);
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
    EXPECT_TRUE(done && took.count() <= 2000) << what << ": the tree read in " << took.count() << " ms";
    if (!done) {
        std::thread([reading = std::move(reading)]() mutable { reading.wait(); }).detach();
        return {};
    }
    return reading.get();
}

// The parts a screen reader finds while the window rests, in the order it
// finds them, with the roles it expects of them (a list is a combo box);
// what another part speaks for is absent.
const std::vector<Read> idleTree{
    {0, ROLE_SYSTEM_CLIENT, L"Vorlen", true},
    {1, ROLE_SYSTEM_GROUPING, L"", true},
    {2, ROLE_SYSTEM_STATICTEXT, L"Sorma Şekli :", true},
    {2, ROLE_SYSTEM_PUSHBUTTON, L"Başla", true},
    {2, ROLE_SYSTEM_COMBOBOX, L"Sorma Şekli :", true},
    {2, ROLE_SYSTEM_COMBOBOX, L"Sorma Şekli :", true},
    {1, ROLE_SYSTEM_GROUPING, L"Örnek sorular", true}, // its locked samples out of the tree
    {1, ROLE_SYSTEM_GROUPING, L"", true},
    {2, ROLE_SYSTEM_STATICTEXT, L"Çarpım tablosunu öğrenen bütün çocuklara, sevgiyle armağan edilmiştir.",
     true},
    {2, ROLE_SYSTEM_STATICTEXT, L"Toplam soru sayısı : 0", true},
    {2, ROLE_SYSTEM_STATICTEXT, L"Doğru sayısı : 0", true},
    {2, ROLE_SYSTEM_STATICTEXT, L"Yanlış sayısı : 0", true},
    {1, ROLE_SYSTEM_ALERT, L"!!! YANLIŞ !!! !!! YANLIŞ !!!", false},
    {2, ROLE_SYSTEM_PUSHBUTTON, L"Tamam", false},
    {1, ROLE_SYSTEM_GROUPING, L"", false},
    {2, ROLE_SYSTEM_GRAPHIC, L"İthaf", false},
    {2, ROLE_SYSTEM_PUSHBUTTON, L"Tamam", false},
    {1, ROLE_SYSTEM_ALERT, L"", true},
};

std::string described(const std::vector<Read>& tree)
{
    std::string out;
    for (const Read& read : tree) {
        out += "\n  " + std::string(static_cast<std::size_t>(read.depth) * 2, ' ') +
               std::to_string(read.role) + " \"" + vorlen::win32::narrow(read.name) + "\"" +
               (read.shown ? "" : " (hidden)");
    }
    return out;
}

class ScreenReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(program.started()) << "cannot start " << VORLEN_EXE;
        hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &hear, program.processId(), 0,
                               WINEVENT_OUTOFCONTEXT);
        program.resume();
        window = program.findWindow(vorlen::win32::widen(design::windowCaption()), true, 15000);
        ASSERT_NE(window, nullptr);
        pumpUntil({}, 1500);
    }
    void TearDown() override
    {
        UnhookWinEvent(hook);
        EXPECT_EQ(program.close(), 0);
        CoUninitialize();
    }

    StartedProgram program{L"" VORLEN_EXE};
    HWINEVENTHOOK hook = nullptr;
    HWND window = nullptr;
};

TEST_F(ScreenReaderTest, HearsTheQuestionAndTheCorrectAnswerOnceEach)
{
    EXPECT_EQ(timesHeard(controlIn(window, 102, 309), L"1 çarpı 1"), 1); // Başla
    EXPECT_EQ(timesHeard(answerButton(window, true), L"1 çarpı 2"), 1);
    EXPECT_EQ(timesHeard(answerButton(window, false), L"!!! YANLIŞ !!! DOĞRU CEVAP : 2"), 1);
    heard.clear();
    pumpUntil({}, 2500);
    EXPECT_TRUE(heard.empty()) << "nothing while the panel blinks";
}

TEST_F(ScreenReaderTest, ReadsTheWholeTreeAndIsWokenByNothingWhileTheWindowTicks)
{
    expectQuietFor("the window resting");
    EXPECT_EQ(described(readTree(window, "resting")), described(idleTree));

    PostMessageW(controlIn(window, 102, 309), BM_CLICK, 0, 0);
    pumpUntil({}, 300);
    PostMessageW(answerButton(window, false), BM_CLICK, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(GetDlgItem(window, 105)) != FALSE; }, 2000));
    expectQuietFor("the wrong-answer panel blinking");
    const std::vector<Read> open = readTree(window, "blinking");
    const auto alert = std::find_if(open.begin(), open.end(), [](const Read& read) {
        return read.role == ROLE_SYSTEM_ALERT && read.shown && !read.name.empty();
    });
    ASSERT_NE(alert, open.end()) << described(open);
    EXPECT_EQ(alert->name, L"!!! YANLIŞ !!! DOĞRU CEVAP : 1");
    EXPECT_EQ(*std::next(alert), (Read{2, ROLE_SYSTEM_PUSHBUTTON, L"Tamam", true}));
    // In a quiz the answers are push buttons, each called what it shows.
    const auto question = std::find_if(open.begin(), open.end(), [](const Read& read) {
        return read.role == ROLE_SYSTEM_GROUPING && read.name == L"1 çarpı 1";
    });
    ASSERT_GT(std::distance(question, open.end()), 4) << described(open);
    for (int i = 1; i <= 4; ++i) {
        const Read& answer = *std::next(question, i);
        EXPECT_EQ(answer.role, ROLE_SYSTEM_PUSHBUTTON) << described(open);
        EXPECT_FALSE(answer.name.empty() ||
                     answer.name.find_first_not_of(L"0123456789") != std::wstring::npos)
            << described(open);
    }
}

} // namespace
} // namespace vorlen::test::win32
