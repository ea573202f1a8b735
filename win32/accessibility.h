// What screen readers hear, through Microsoft Active Accessibility: every
// window added here answers WM_GETOBJECT with the platform's own accessible
// object for it, wrapped so that the name, the role, the description and the
// default action are this program's, and so that a container (the window, a
// panel) lists as its children only the windows added here: a window left
// out is not in the tree at all. Names change silently on the focused window
// (a screen reader would speak the change); what is to be heard goes out as
// an alert, EVENT_SYSTEM_ALERT from an object with the alert role whose name
// is the text, and where Windows has it (10, version 1709 on) as a UI
// Automation notification too.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace vorlen::win32 {

class Accessibility {
public:
    // Makes the window's announcer: a visible child of no size with the
    // alert role, which says the polite announcements.
    explicit Accessibility(HWND window);
    ~Accessibility();
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    // Roles as MSAA numbers them (ROLE_SYSTEM_*). A window out of the tree
    // for now is no container's child until setInTree().
    void add(HWND window, long role, const std::wstring& name, const std::wstring& description = {},
             bool inTree = true);
    // Into its container's children or out of them; listeners hear that the
    // container's children changed (EVENT_OBJECT_REORDER).
    void setInTree(HWND window, bool inTree);

    // Listeners hear of a change (EVENT_OBJECT_NAMECHANGE, ..._DESCRIPTIONCHANGE)
    // unless the window has the keyboard focus.
    void setName(HWND window, const std::wstring& name);
    void setDescription(HWND window, const std::wstring& description);

    // Says text: urgent from the carrier, which has the alert role and is
    // named text already; polite from the announcer, named text first.
    void announce(const std::wstring& text, bool urgent, HWND carrier = nullptr);

private:
    std::vector<HWND> windows_; // those added here
    HWND announcer_ = nullptr;
    bool comStarted_ = false;
};

// The answer to WM_GETOBJECT for a window added to an Accessibility: this
// program's accessible object for OBJID_CLIENT; 0 for anything else.
LRESULT answerScreenReaders(HWND window, WPARAM wParam, LPARAM lParam);

// A UI Automation notification for the window's element, from
// uiautomationcore.dll where it has one; false where it has none.
bool notifyUiAutomation(HWND window, const std::wstring& text, bool urgent);

} // namespace vorlen::win32
