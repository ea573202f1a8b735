#include "win32/counter_transport.h"

#include <string>
#include <windows.h>
#include <wininet.h>

namespace vorlen {

namespace {

// The address and headers hold printable ASCII only (HttpAddress refuses
// anything else), so widening each byte is exact.
std::wstring wide(const std::string& text)
{
    return {text.begin(), text.end()};
}

// WinINet's functions, loaded when the request is due: linked at start,
// WinINet and what it pulls in (shell32, mpr, ws2_32) cost every start some
// 30 ms under Wine for one request two seconds later. It stays loaded, since
// a request's detached thread may still be inside it when the program ends.
struct WinInet {
    decltype(&InternetOpenW) open = nullptr;
    decltype(&InternetConnectW) connect = nullptr;
    decltype(&HttpOpenRequestW) openRequest = nullptr;
    decltype(&InternetSetOptionW) setOption = nullptr;
    decltype(&HttpSendRequestW) sendRequest = nullptr;
    decltype(&InternetCloseHandle) close = nullptr;
};

template <typename Function> void load(HMODULE module, const char* name, Function& function)
{
    // The documented way to take a typed function from GetProcAddress.
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Nothing when WinINet cannot be loaded from the system folder.
const WinInet* winInet()
{
    static const WinInet loaded = [] {
        WinInet functions;
        HMODULE module = LoadLibraryExW(L"wininet.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
            // Windows 7 without the update that knows the flag.
            module = LoadLibraryW(L"wininet.dll");
        }
        if (module != nullptr) {
            load(module, "InternetOpenW", functions.open);
            load(module, "InternetConnectW", functions.connect);
            load(module, "HttpOpenRequestW", functions.openRequest);
            load(module, "InternetSetOptionW", functions.setOption);
            load(module, "HttpSendRequestW", functions.sendRequest);
            load(module, "InternetCloseHandle", functions.close);
        }
        return functions;
    }();
    const bool complete = loaded.open != nullptr && loaded.connect != nullptr &&
                          loaded.openRequest != nullptr && loaded.setOption != nullptr &&
                          loaded.sendRequest != nullptr && loaded.close != nullptr;
    return complete ? &loaded : nullptr;
}

class Handle {
public:
    Handle(const WinInet& api, HINTERNET handle) : api_(api), handle_(handle) {}
    ~Handle()
    {
        if (handle_ != nullptr) {
            api_.close(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    [[nodiscard]] HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    const WinInet& api_;
    HINTERNET handle_;
};

void request(const CounterPlan& plan)
{
    const WinInet* found = winInet();
    if (found == nullptr) {
        return;
    }
    const WinInet& api = *found;
    const Handle session(api, api.open(L"Vorlen/1.00", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
        return;
    }
    const Handle connection(api, api.connect(session.get(), wide(plan.page.host).c_str(), plan.page.port,
                                             nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        return;
    }
    const DWORD flags = INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTH;
    const Handle request(api, api.openRequest(connection.get(), L"GET", wide(plan.page.target).c_str(),
                                              L"HTTP/1.1", nullptr, nullptr, flags, 0));
    if (!request) {
        return;
    }
    // On the request handle: WinINet (Wine's at least) ignores timeouts set
    // on the session, and a silent server would then hold the call for good.
    auto timeout = static_cast<DWORD>(plan.deadline.count());
    for (const DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        api.setOption(request.get(), option, &timeout, sizeof timeout);
    }
    // One attempt per address rather than WinINet's five.
    DWORD attempts = 1;
    api.setOption(request.get(), INTERNET_OPTION_CONNECT_RETRIES, &attempts, sizeof attempts);

    // WinINet writes the Host and User-Agent headers itself.
    std::wstring headers;
    for (const std::string& header : plan.headers()) {
        if (!header.starts_with("Host:") && !header.starts_with("User-Agent:")) {
            headers += wide(header) + L"\r\n";
        }
    }
    // Returns once the answer's headers are in; nothing more of it is read,
    // and closing the handles drops the connection.
    api.sendRequest(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0);
}

} // namespace

void sendOverWinInet(const CounterPlan& plan) noexcept
{
    runDetached(&request, plan);
}

} // namespace vorlen
