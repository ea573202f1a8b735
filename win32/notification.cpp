// The UI Automation notification that screen readers on Windows 10 from
// version 1709 speak. Both functions are looked up in uiautomationcore.dll
// when first needed: the program still starts where the DLL or the
// notification is missing (older Windows, Wine), and then says nothing here.
#include "win32/accessibility.h"

#include <oleauto.h>
#include <uiautomationcore.h>

namespace vorlen::win32 {

namespace {

// The values of NotificationKind and NotificationProcessing in
// UIAutomationCore.h, which the cross compiler's headers lack.
constexpr int actionCompleted = 2; // NotificationKind_ActionCompleted
constexpr int importantAll = 0;    // NotificationProcessing_ImportantAll
constexpr int mostRecent = 3;      // NotificationProcessing_MostRecent

using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR, BSTR);

struct UiAutomation {
    HostProviderFromHwnd hostProvider = nullptr;
    RaiseNotificationEvent raise = nullptr;
};

template <typename Function> Function find(HMODULE module, const char* name)
{
    // GetProcAddress returns a generic function pointer; the cast to the
    // real signature is how a late-bound API is called.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const UiAutomation& uiAutomation()
{
    static const UiAutomation found = [] {
        UiAutomation functions;
        HMODULE module = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr) {
            return functions;
        }
        functions.hostProvider = find<HostProviderFromHwnd>(module, "UiaHostProviderFromHwnd");
        functions.raise = find<RaiseNotificationEvent>(module, "UiaRaiseNotificationEvent");
        return functions;
    }();
    return found;
}

} // namespace

bool notifyUiAutomation(HWND window, const std::wstring& text, bool urgent)
{
    const UiAutomation& uia = uiAutomation();
    if (uia.hostProvider == nullptr || uia.raise == nullptr) {
        return false;
    }
    IRawElementProviderSimple* provider = nullptr;
    if (FAILED(uia.hostProvider(window, &provider)) || provider == nullptr) {
        return false;
    }
    BSTR said = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    BSTR activity = SysAllocString(urgent ? L"Vorlen.Wrong" : L"Vorlen.Status");
    const HRESULT raised =
        uia.raise(provider, actionCompleted, urgent ? importantAll : mostRecent, said, activity);
    SysFreeString(activity);
    SysFreeString(said);
    provider->Release();
    return SUCCEEDED(raised);
}

} // namespace vorlen::win32
