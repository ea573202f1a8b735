// What screen readers hear, through Microsoft Active Accessibility: every
// named window answers WM_GETOBJECT with the platform's own accessible object
// for it, wrapped so that the name, the role, the description and the
// default action are this program's. Names change only where a listener
// should hear them (the question in words, an answer, a count), announcing
// each once; the idle samples run under fixed names, so the animation and the
// blink announce nothing. The wrong-answer panel is an alert that carries the
// correct answer.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <windows.h>

namespace vorlen::win32 {

struct AccessibleEntry; // what one window says about itself

class Accessibility {
public:
    Accessibility();
    ~Accessibility();
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    // Roles as MSAA numbers them (ROLE_SYSTEM_*).
    void add(HWND window, long role, const std::wstring& name, const std::wstring& description = {});

    // Sets the name; when it changes and announce is true, listeners hear
    // of it once (EVENT_OBJECT_NAMECHANGE).
    void setName(HWND window, const std::wstring& name, bool announce);
    void setDescription(HWND window, const std::wstring& description);
    void setRole(HWND window, long role);
    // EVENT_SYSTEM_ALERT for the window, which should have the alert role.
    static void alert(HWND window);

    [[nodiscard]] std::wstring name(HWND window) const;

private:
    std::unordered_map<HWND, std::shared_ptr<AccessibleEntry>> entries_;
    bool comStarted_ = false;
};

} // namespace vorlen::win32
