// What a screen reader hears of the Windows window through MSAA: the names
// and roles it reads, the one announcement per count, the alert with the
// correct answer, and silence from the idle animation and the blink.
#include "tests/support/win32_support.h"
#include "win32/form1.h"

#include <gtest/gtest.h>

#include <memory>
#include <oleacc.h>
#include <string>
#include <vector>

namespace vorlen::win32 {
namespace {

using test::win32::pumpUntil;

struct Heard {
    DWORD event;
    HWND window;
};
std::vector<Heard>* heard = nullptr;

void CALLBACK listen(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child,
                     DWORD /*thread*/, DWORD /*time*/)
{
    if (heard != nullptr && object == OBJID_CLIENT && child == CHILDID_SELF) {
        heard->push_back({event, window});
    }
}

class AccessibilityTest : public testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        Form1::Options options;
        options.seed = 42;
        form = std::make_unique<Form1>(std::move(options));
        heard = &events;
        hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_NAMECHANGE, nullptr, &listen,
                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        form->show();
        pumpUntil({}, 100);
        events.clear();
    }

    void TearDown() override
    {
        UnhookWinEvent(hook);
        heard = nullptr;
        form.reset();
        CoUninitialize();
    }

    // The name and role an MSAA client reads from the window's client object.
    std::pair<std::wstring, long> read(std::string_view name)
    {
        IAccessible* object = nullptr;
        const HRESULT got = AccessibleObjectFromWindow(form->control(name), static_cast<DWORD>(OBJID_CLIENT),
                                                       IID_IAccessible, reinterpret_cast<void**>(&object));
        EXPECT_TRUE(SUCCEEDED(got) && object != nullptr) << name;
        if (object == nullptr) {
            return {};
        }
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR spoken = nullptr;
        std::wstring text;
        if (SUCCEEDED(object->get_accName(self, &spoken)) && spoken != nullptr) {
            text.assign(spoken, SysStringLen(spoken));
            SysFreeString(spoken);
        }
        VARIANT role{};
        object->get_accRole(self, &role);
        object->Release();
        return {text, role.vt == VT_I4 ? role.lVal : -1};
    }

    int count(DWORD event, std::string_view name)
    {
        int found = 0;
        for (const Heard& each : events) {
            found += each.event == event && each.window == form->control(name) ? 1 : 0;
        }
        return found;
    }

    void click(std::string_view name) { SendMessageW(form->control(name), BM_CLICK, 0, 0); }

    std::unique_ptr<Form1> form;
    std::vector<Heard> events;
    HWINEVENTHOOK hook = nullptr;
};

TEST_F(AccessibilityTest, IdleWindowHasFixedNamesAndStaysSilent)
{
    IAccessible* window = nullptr;
    ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(form->hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                                     IID_IAccessible, reinterpret_cast<void**>(&window))));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR spoken = nullptr;
    ASSERT_TRUE(SUCCEEDED(window->get_accName(self, &spoken)));
    EXPECT_EQ(std::wstring(spoken, SysStringLen(spoken)), L"Vorlen");
    SysFreeString(spoken);
    window->Release();

    EXPECT_EQ(read("command9"), std::make_pair(std::wstring(L"Başla"), long{ROLE_SYSTEM_PUSHBUTTON}));
    EXPECT_EQ(read("Frame1").first, L"Örnek sorular");
    EXPECT_EQ(read("cev2").first, L"Cevap 2");
    EXPECT_EQ(read("Label9"),
              std::make_pair(std::wstring(L"Toplam soru sayısı : 0"), long{ROLE_SYSTEM_STATICTEXT}));
    EXPECT_EQ(read("Image1").first, L"İthaf");

    // A second of samples and ticks announces nothing.
    pumpUntil({}, 1000);
    EXPECT_TRUE(events.empty()) << events.size() << " events";
}

TEST_F(AccessibilityTest, QuestionAnswersCountsAndTheAlert)
{
    click("command9");
    EXPECT_EQ(read("Frame1").first, L"1 çarpı 1");
    EXPECT_EQ(read("command9").first, L"Dur");

    HWND right = nullptr;
    HWND wrong = nullptr;
    for (const char* name : {"cev1", "cev2", "cev3", "cev4"}) {
        (read(name).first == L"1" ? right : wrong) = form->control(name);
    }
    ASSERT_NE(right, nullptr);
    SendMessageW(right, BM_CLICK, 0, 0);
    EXPECT_EQ(read("Label9").first, L"Toplam soru sayısı : 1");
    EXPECT_EQ(read("Label6").first, L"Toplam soru sayısı : 1");
    pumpUntil({}, 50);
    EXPECT_EQ(count(EVENT_OBJECT_NAMECHANGE, "Label9"), 1) << "each count heard once";
    EXPECT_EQ(count(EVENT_OBJECT_NAMECHANGE, "Label6"), 0);

    ASSERT_NE(wrong, nullptr);
    for (const char* name : {"cev1", "cev2", "cev3", "cev4"}) {
        if (read(name).first != L"2") {
            wrong = form->control(name);
        }
    }
    SendMessageW(wrong, BM_CLICK, 0, 0);
    pumpUntil({}, 50);
    const auto [alertName, alertRole] = read("Frame5");
    EXPECT_EQ(alertRole, ROLE_SYSTEM_ALERT);
    EXPECT_EQ(alertName, L"!!! YANLIŞ !!! DOĞRU CEVAP : 2");
    EXPECT_EQ(count(EVENT_SYSTEM_ALERT, "Frame5"), 1);
    EXPECT_EQ(GetFocus(), form->control("chameleonButton2"));

    // The blink, a second of it, announces nothing more.
    events.clear();
    pumpUntil({}, 1000);
    EXPECT_TRUE(events.empty()) << events.size() << " events";

    click("chameleonButton2");
    EXPECT_EQ(GetFocus(), wrong) << "back to the answer";
}

} // namespace
} // namespace vorlen::win32
