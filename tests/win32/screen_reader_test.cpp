// vorlen.exe heard as a Windows screen reader hears it, from a second
// process: a WinEvent hook out of context on the program's process, the
// object of each event read with AccessibleObjectFromEvent at event time.
// Spoken: a focus event (the focused object's name, and the name of each
// grouping it newly entered), a name change of the focused object, a system
// alert. The quiz is driven from outside with BM_CLICK, as in outside_test.
//
// Wine (8.0) delivers all three events to an out-of-context hook in another
// process and marshals IAccessible between the processes, so everything here
// is heard from outside. Two things it lacks: it reports no focus event for
// a thread's first focus (only a change from a window that had it; the
// window takes the focus itself before handing it on, as on Windows), and it
// has no UiaRaiseNotificationEvent, so the UI Automation notification is not
// heard here and the program goes on without it.
#include "design/design.h"
#include "tests/support/win32_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <oleacc.h>
#include <string>
#include <vector>

namespace vorlen::test::win32 {
namespace {

struct Object {
    std::wstring name;
    long role = 0;
    std::wstring description;
};

Object describe(IAccessible* object, const VARIANT& child)
{
    Object read;
    BSTR text = nullptr;
    if (SUCCEEDED(object->get_accName(child, &text)) && text != nullptr) {
        read.name.assign(text, SysStringLen(text));
        SysFreeString(text);
    }
    text = nullptr;
    if (SUCCEEDED(object->get_accDescription(child, &text)) && text != nullptr) {
        read.description.assign(text, SysStringLen(text));
        SysFreeString(text);
    }
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4) {
        read.role = role.lVal;
    }
    return read;
}

Object describe(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))) ||
        object == nullptr) {
        return {};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Object read = describe(object, self);
    object->Release();
    return read;
}

// Every object of the tree under object, as a screen reader's review walks it.
void walk(IAccessible* object, std::vector<Object>& into, int depth = 0)
{
    long count = 0;
    if (depth > 8 || FAILED(object->get_accChildCount(&count)) || count <= 0) {
        return;
    }
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    long got = 0;
    if (FAILED(AccessibleChildren(object, 0, count, children.data(), &got))) {
        return;
    }
    for (long i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
            IAccessible* inner = nullptr;
            if (SUCCEEDED(
                    child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&inner)))) {
                VARIANT self{};
                self.vt = VT_I4;
                self.lVal = CHILDID_SELF;
                into.push_back(describe(inner, self));
                walk(inner, into, depth + 1);
                inner->Release();
            }
        } else if (child.vt == VT_I4) {
            into.push_back(describe(object, child));
        }
        VariantClear(&child);
    }
}

// What the listener heard, in order.
struct Heard {
    DWORD event;
    std::wstring text;
};
std::vector<Heard>* heard = nullptr;
HWND lastFocus = nullptr;

bool isGrouping(HWND window)
{
    return describe(window).role == ROLE_SYSTEM_GROUPING;
}

void CALLBACK hear(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child,
                   DWORD /*thread*/, DWORD /*time*/)
{
    if (heard == nullptr || window == nullptr ||
        (event != EVENT_OBJECT_FOCUS && event != EVENT_OBJECT_NAMECHANGE && event != EVENT_SYSTEM_ALERT)) {
        return;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    if (event == EVENT_OBJECT_NAMECHANGE && window != info.hwndFocus) {
        return; // a screen reader speaks name changes of the focus only
    }
    IAccessible* accessible = nullptr;
    VARIANT which{};
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                         &accessible, &which)) ||
        accessible == nullptr) {
        return;
    }
    const Object read = describe(accessible, which);
    accessible->Release();
    VariantClear(&which);
    if (event == EVENT_OBJECT_FOCUS) {
        // The groupings the focus newly entered, outermost first, as a
        // screen reader says them before the control.
        std::vector<HWND> entered;
        for (HWND above = GetAncestor(window, GA_PARENT); above != nullptr && above != GetDesktopWindow();
             above = GetAncestor(above, GA_PARENT)) {
            if (lastFocus != above && IsChild(above, lastFocus) == FALSE && isGrouping(above)) {
                entered.insert(entered.begin(), above);
            }
        }
        for (HWND grouping : entered) {
            heard->push_back({event, describe(grouping).name});
        }
        lastFocus = window;
    }
    if (event == EVENT_SYSTEM_ALERT && read.role != ROLE_SYSTEM_ALERT) {
        return; // an alert is said from an object with the alert role
    }
    heard->push_back({event, read.name});
}

class ScreenReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        heard = &events;
        ASSERT_TRUE(program.started()) << "cannot start " << VORLEN_EXE;
        hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_NAMECHANGE, nullptr, &hear,
                               program.processId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
        program.resume();
        window = program.findWindow(widen(design::windowCaption()), true, 15000);
        ASSERT_NE(window, nullptr);
    }

    void TearDown() override
    {
        UnhookWinEvent(hook);
        heard = nullptr;
        lastFocus = nullptr;
        EXPECT_EQ(program.close(), 0);
        CoUninitialize();
    }

    // What was heard since the last step, while this one ran and the
    // program settled after it (the first: since the program started).
    std::vector<std::wstring> listen(const std::function<void()>& step, int settleMs = 1000)
    {
        if (step) {
            step();
        }
        pumpFor(settleMs);
        std::vector<std::wstring> said;
        for (const Heard& each : events) {
            said.push_back(each.text);
        }
        events.clear();
        return said;
    }

    std::vector<std::wstring> press(HWND button)
    {
        return listen([button] { PostMessageW(button, BM_CLICK, 0, 0); });
    }

    static int count(const std::vector<std::wstring>& said, const std::wstring& phrase)
    {
        return static_cast<int>(std::count(said.begin(), said.end(), phrase));
    }

    static std::wstring all(const std::vector<std::wstring>& said)
    {
        std::wstring joined;
        for (const std::wstring& each : said) {
            joined += L"[" + each + L"] ";
        }
        return joined;
    }

    std::vector<Heard> events;
    StartedProgram program{VORLEN_EXE, std::nullopt, true};
    HWINEVENTHOOK hook = nullptr;
    HWND window = nullptr;
};

TEST_F(ScreenReaderTest, HearsAQuizOnceEachAndNothingWhileIdleOrBlinking)
{
    const auto opening = listen({}, 1500);
    EXPECT_EQ(count(opening, L"Başla"), 1) << all(opening);
    const auto idle = listen({}, 3000);
    EXPECT_TRUE(idle.empty()) << all(idle);

    const auto started = press(controlIn(window, id::frame2, id::command9));
    EXPECT_EQ(count(started, L"1 çarpı 1"), 1) << all(started);

    const auto right = press(answerButton(window, true));
    EXPECT_EQ(count(right, L"1 çarpı 2"), 1) << all(right);

    HWND wrong = answerButton(window, false);
    const auto afterWrong = press(wrong);
    EXPECT_EQ(count(afterWrong, L"!!! YANLIŞ !!! DOĞRU CEVAP : 2"), 1) << all(afterWrong);
    EXPECT_EQ(count(afterWrong, L"Tamam"), 1) << all(afterWrong);

    const auto blink = listen({}, 3000);
    EXPECT_TRUE(blink.empty()) << all(blink);

    // The tree a screen reader reviews: each count once, through its
    // caption label; both lists read with the label before them.
    IAccessible* root = nullptr;
    ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                     IID_IAccessible, reinterpret_cast<void**>(&root))));
    std::vector<Object> tree;
    walk(root, tree);
    root->Release();
    const auto named = [&tree](const std::wstring& name) {
        return std::count_if(tree.begin(), tree.end(), [&](const Object& each) { return each.name == name; });
    };
    EXPECT_EQ(named(L"Toplam soru sayısı : 2"), 1);
    EXPECT_EQ(named(L"Doğru sayısı : 1"), 1);
    EXPECT_EQ(named(L"Yanlış sayısı : 1"), 1);
    const auto bareNumber = [](const Object& each) {
        return each.role == ROLE_SYSTEM_STATICTEXT && !each.name.empty() &&
               each.name.find_first_not_of(L"0123456789") == std::wstring::npos;
    };
    EXPECT_EQ(std::count_if(tree.begin(), tree.end(), bareNumber), 0) << "the value labels are left out";
    std::vector<Object> lists;
    std::copy_if(tree.begin(), tree.end(), std::back_inserter(lists),
                 [](const Object& each) { return each.role == ROLE_SYSTEM_COMBOBOX; });
    ASSERT_EQ(lists.size(), 2U);
    EXPECT_EQ(lists[0].name, L"Sorma Şekli :");
    EXPECT_EQ(lists[0].description, L"Çarpım tablosu seçimi");
    EXPECT_EQ(lists[1].name, L"Sorma Şekli :");
    EXPECT_EQ(lists[1].description, L"Soru sırası seçimi");

    const auto afterOk = press(controlIn(window, id::frame5, id::okOfWrongPanel));
    EXPECT_EQ(count(afterOk, L"1 çarpı 3"), 1) << all(afterOk);

    const auto stopped = press(controlIn(window, id::frame2, id::command9));
    EXPECT_EQ(count(stopped, L"Başla"), 1) << all(stopped);
    const auto idleAgain = listen({}, 2000);
    EXPECT_TRUE(idleAgain.empty()) << all(idleAgain);
}

} // namespace
} // namespace vorlen::test::win32
