#include "win32/accessibility.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <commctrl.h>
#include <cstdint>
#include <memory>
#include <oleacc.h>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vorlen::win32 {

struct AccessibleEntry {
    long role = ROLE_SYSTEM_CLIENT;
    std::wstring name;
    std::wstring description;
    std::size_t order = 0; // where it comes among its siblings
    bool inTree = true;
};

namespace {

constexpr UINT_PTR subclassId = 0x564F524C; // "VORL"

BSTR copyOf(const std::wstring& text)
{
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

bool isSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

bool isContainer(long role)
{
    return role == ROLE_SYSTEM_CLIENT || role == ROLE_SYSTEM_GROUPING || role == ROLE_SYSTEM_ALERT;
}

// What every window in the tree says about itself, for the windows of the
// program's one thread.
std::unordered_map<HWND, std::shared_ptr<AccessibleEntry>>& registry()
{
    static std::unordered_map<HWND, std::shared_ptr<AccessibleEntry>> entries;
    return entries;
}

std::shared_ptr<AccessibleEntry> entryOf(HWND window)
{
    const auto found = registry().find(window);
    return found != registry().end() ? found->second : nullptr;
}

// The child windows in the tree (those that answer screen readers here), in
// the order they were added: the window's reading order, which its stacking
// order is not (the panels that open over the others lie on top).
std::vector<HWND> childrenInTree(HWND window)
{
    std::vector<std::pair<std::size_t, HWND>> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (const auto found = registry().find(child); found != registry().end() && found->second->inTree) {
            children.emplace_back(found->second->order, child);
        }
    }
    std::sort(children.begin(), children.end());
    std::vector<HWND> ordered;
    ordered.reserve(children.size());
    for (const auto& [order, child] : children) {
        ordered.push_back(child);
    }
    return ordered;
}

// The program's own window classes answer WM_GETOBJECT in their window
// procedure (WindowClass); the system's (the lists, the announcer) through
// comctl32's subclassing, which looks its data up with GetProp at every
// message: a trip to the wineserver under Wine, too dear for the controls
// that the idle animation repaints eleven times a second.
bool isOwnClass(HWND window)
{
    // Every class of the program is named Vorlen...; WindowClass registers them.
    std::array<wchar_t, 64> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return std::wstring_view(name.data(), static_cast<std::size_t>(length > 0 ? length : 0))
        .starts_with(L"Vorlen");
}

// The platform's accessible object of a window with this program's name,
// role, description and default action, and for a container its children in
// the tree. Everything else (place, state, focus, navigation) is the
// platform object's answer. MSAA has no helper
// that overrides single properties of a window without a registry of
// annotations that Wine lacks, hence this wrapper.
class AccessibleWindow final : public IAccessible {
public:
    AccessibleWindow(HWND window, IAccessible* standard, std::shared_ptr<const AccessibleEntry> entry)
        : window_(window), standard_(standard), entry_(std::move(entry))
    {
    }
    ~AccessibleWindow() { standard_->Release(); }
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, IID_IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override
    {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
    }

    // IAccessible: this program's answers.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!isSelf(child) || entry_->name.empty()) {
            return standard_->get_accName(child, name);
        }
        *name = copyOf(entry_->name);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!isSelf(child)) {
            return standard_->get_accRole(child, role);
        }
        role->vt = VT_I4;
        role->lVal = entry_->role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        if (!isSelf(child) || entry_->description.empty()) {
            return standard_->get_accDescription(child, description);
        }
        *description = copyOf(entry_->description);
        return *description != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!isSelf(child) || entry_->role != ROLE_SYSTEM_PUSHBUTTON) {
            return standard_->get_accDefaultAction(child, action);
        }
        *action = copyOf(L"Bas");
        return *action != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!isSelf(child) || entry_->role != ROLE_SYSTEM_PUSHBUTTON) {
            return standard_->accDoDefaultAction(child);
        }
        // As a click: the button decides whether it may be pressed.
        PostMessageW(window_, BM_CLICK, 0, 0);
        return S_OK;
    }

    // IAccessible: the platform object's answers.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!isContainer(entry_->role)) {
            return standard_->get_accChildCount(count);
        }
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = static_cast<long>(childrenInTree(window_).size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        if (!isContainer(entry_->role)) {
            return standard_->get_accChild(child, object);
        }
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        const std::vector<HWND> children = childrenInTree(window_);
        if (child.vt != VT_I4 || child.lVal < 1 || static_cast<std::size_t>(child.lVal) > children.size()) {
            return E_INVALIDARG;
        }
        return AccessibleObjectFromWindow(children[static_cast<std::size_t>(child.lVal) - 1],
                                          static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                          reinterpret_cast<void**>(object));
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const HRESULT result = standard_->get_accState(child, state);
        // Unseen inside a hidden panel too, as Windows has it; Wine's
        // standard object looks only at the window's own style.
        if (SUCCEEDED(result) && isSelf(child) && state->vt == VT_I4 && IsWindowVisible(window_) == FALSE) {
            state->lVal |= STATE_SYSTEM_INVISIBLE;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override
    {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

private:
    HWND window_;
    IAccessible* standard_;
    std::shared_ptr<const AccessibleEntry> entry_;
    std::atomic<ULONG> references_{1};
};

LRESULT CALLBACK answerThroughSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR /*id*/, DWORD_PTR /*data*/)
{
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer = answerScreenReaders(window, wParam, lParam); answer != 0) {
            return answer;
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &answerThroughSubclass, subclassId);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

LRESULT answerScreenReaders(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        return 0;
    }
    const std::shared_ptr<AccessibleEntry> entry = entryOf(window);
    IAccessible* standard = nullptr;
    if (entry == nullptr || FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                                             reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* wrapped = new AccessibleWindow(window, standard, entry);
    const LRESULT result = LresultFromObject(IID_IAccessible, wParam, wrapped);
    wrapped->Release();
    return result;
}

Accessibility::Accessibility(HWND window)
{
    // LresultFromObject marshals through COM; the window's thread is a
    // single-threaded apartment, as a window's thread should be.
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(started);
    announcer_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (announcer_ != nullptr) {
        add(announcer_, ROLE_SYSTEM_ALERT, L"");
    }
}

Accessibility::~Accessibility()
{
    for (HWND window : windows_) {
        registry().erase(window);
        if (IsWindow(window) != FALSE) {
            RemoveWindowSubclass(window, &answerThroughSubclass, subclassId);
        }
    }
    if (announcer_ != nullptr && IsWindow(announcer_) != FALSE) {
        DestroyWindow(announcer_);
    }
    if (comStarted_) {
        CoUninitialize();
    }
}

void Accessibility::add(HWND window, long role, const std::wstring& name, const std::wstring& description,
                        bool inTree)
{
    // The announcer, made first, comes last among the window's children.
    const std::size_t order = window == announcer_ ? SIZE_MAX : windows_.size();
    registry()[window] =
        std::make_shared<AccessibleEntry>(AccessibleEntry{role, name, description, order, inTree});
    windows_.push_back(window);
    if (!isOwnClass(window)) {
        SetWindowSubclass(window, &answerThroughSubclass, subclassId, 0);
    }
}

void Accessibility::setInTree(HWND window, bool inTree)
{
    const std::shared_ptr<AccessibleEntry> entry = entryOf(window);
    if (entry == nullptr || entry->inTree == inTree) {
        return;
    }
    entry->inTree = inTree;
    NotifyWinEvent(EVENT_OBJECT_REORDER, GetParent(window), OBJID_CLIENT, CHILDID_SELF);
}

void Accessibility::setName(HWND window, const std::wstring& name)
{
    const std::shared_ptr<AccessibleEntry> entry = entryOf(window);
    if (entry == nullptr || entry->name == name) {
        return;
    }
    entry->name = name;
    if (GetFocus() != window) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

void Accessibility::setDescription(HWND window, const std::wstring& description)
{
    const std::shared_ptr<AccessibleEntry> entry = entryOf(window);
    if (entry == nullptr || entry->description == description) {
        return;
    }
    entry->description = description;
    if (GetFocus() != window) {
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

void Accessibility::announce(const std::wstring& text, bool urgent, HWND carrier)
{
    HWND from = carrier != nullptr ? carrier : announcer_;
    const std::shared_ptr<AccessibleEntry> entry = entryOf(from);
    if (entry == nullptr) {
        return;
    }
    // Named silently: the alert is what is heard.
    entry->name = text;
    NotifyWinEvent(EVENT_SYSTEM_ALERT, from, OBJID_CLIENT, CHILDID_SELF);
    notifyUiAutomation(from, text, urgent);
}

} // namespace vorlen::win32
