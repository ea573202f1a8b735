#include "win32/counter_transport.h"

#include <string>
#include <thread>
#include <utility>
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

class Handle {
public:
    explicit Handle(HINTERNET handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != nullptr) {
            InternetCloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    [[nodiscard]] HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
};

void request(const CounterPlan& plan)
{
    const Handle session(InternetOpenW(L"Vorlen/1.00", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
        return;
    }
    const Handle connection(InternetConnectW(session.get(), wide(plan.page.host).c_str(), plan.page.port,
                                             nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        return;
    }
    const DWORD flags = INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTH;
    const Handle request(HttpOpenRequestW(connection.get(), L"GET", wide(plan.page.target).c_str(),
                                          L"HTTP/1.1", nullptr, nullptr, flags, 0));
    if (!request) {
        return;
    }
    // On the request handle: WinINet (Wine's at least) ignores timeouts set
    // on the session, and a silent server would then hold the call for good.
    DWORD timeout = static_cast<DWORD>(plan.deadline.count());
    for (const DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionW(request.get(), option, &timeout, sizeof timeout);
    }
    // One attempt per address rather than WinINet's five.
    DWORD attempts = 1;
    InternetSetOptionW(request.get(), INTERNET_OPTION_CONNECT_RETRIES, &attempts, sizeof attempts);

    // WinINet writes the Host and User-Agent headers itself.
    std::wstring headers;
    for (const std::string& header : plan.headers()) {
        if (!header.starts_with("Host:") && !header.starts_with("User-Agent:")) {
            headers += wide(header) + L"\r\n";
        }
    }
    // Returns once the answer's headers are in; nothing more of it is read,
    // and closing the handles drops the connection.
    HttpSendRequestW(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0);
}

} // namespace

WinInetTransport::WinInetTransport(std::function<void()> finished) : finished_(std::move(finished))
{
}

void WinInetTransport::send(const CounterPlan& plan)
{
    // Detached: the program may end while the request waits on the network.
    std::thread([plan, finished = finished_] {
        try {
            request(plan);
        } catch (...) { // NOLINT(bugprone-empty-catch): out of memory ends this request, not the program
        }
        finished();
    }).detach();
}

} // namespace vorlen
