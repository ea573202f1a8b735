// The counter request over WinINet against the loopback fault server: one
// request and no redirect followed, no retry after a reset, a silent server
// given up at the deadline, and the system's proxy setting honoured.
#include "tests/support/fault_server.h"
#include "win32/counter_transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <windows.h>

namespace vorlen {
namespace {

using namespace std::chrono_literals;
using test::FaultServer;
using Fault = FaultServer::Fault;
using Clock = std::chrono::steady_clock;

const char* const counterPath = "GET /sayac/qelnor.php HTTP/1.1\r\n";

struct Outcome {
    bool finished = false;
    std::chrono::milliseconds took{};
};

// Sends one request for address and waits at most limit for its end as the
// server sees it: by default, the request's connection made and closed again.
Outcome requestAndWait(const FaultServer& server, const std::string& address,
                       std::chrono::milliseconds deadline, std::function<bool()> over = {},
                       std::chrono::milliseconds limit = 10s)
{
    const auto start = Clock::now();
    sendOverWinInet({.page = HttpAddress::parse(address), .proxy = std::nullopt, .deadline = deadline});
    if (!over) {
        over = [&server] { return server.connections() > 0 && server.idle(); };
    }
    while (!over() && Clock::now() - start < limit) {
        std::this_thread::sleep_for(10ms);
    }
    return {over(), std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start)};
}

std::size_t countOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(WinInetTransport, OneGetAndNoRedirectFollowed)
{
    FaultServer elsewhere(Fault::Ok);
    FaultServer server(Fault::Redirect);
    ASSERT_TRUE(server.listening() && elsewhere.listening());
    server.redirectTo(elsewhere.pageAddress("/elsewhere"));

    // WinINet may keep the connection for later: the request's end is its headers.
    const auto sent = [&server] { return server.request().find("\r\n\r\n") != std::string::npos; };
    ASSERT_TRUE(requestAndWait(server, server.pageAddress(), 15s, sent).finished);
    std::this_thread::sleep_for(1s); // a followed redirect would show up by now
    EXPECT_EQ(server.connections(), 1);
    EXPECT_TRUE(server.request().starts_with(counterPath)) << server.request();
    EXPECT_EQ(countOf(server.request(), "GET "), 1U);
    EXPECT_EQ(elsewhere.connections(), 0) << "the redirect was followed";
}

TEST(WinInetTransport, AResetIsNotRetried)
{
    FaultServer server(Fault::ResetAfterRequest);
    ASSERT_TRUE(server.listening());
    ASSERT_TRUE(requestAndWait(server, server.pageAddress(), 15s).finished);
    std::this_thread::sleep_for(500ms);
    EXPECT_LE(server.connections(), 2);
    EXPECT_LE(countOf(server.request(), "GET "), 2U);
}

TEST(WinInetTransport, GivesUpOnASilentServerAtTheDeadline)
{
    FaultServer server(Fault::Silent);
    ASSERT_TRUE(server.listening());
    const Outcome outcome = requestAndWait(server, server.pageAddress(), 1500ms);
    ASSERT_TRUE(outcome.finished) << "still waiting after 10 s";
    EXPECT_GE(outcome.took, 1400ms) << "ended before the server could have answered";
    EXPECT_EQ(server.connections(), 1);
}

// The proxy of the system's settings (Internet Settings in the registry), for
// the time of one test.
class SystemProxy {
public:
    explicit SystemProxy(const std::wstring& server)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                        0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr);
        const DWORD enable = 1;
        RegSetValueExW(key_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable),
                       sizeof enable);
        RegSetValueExW(key_, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                       static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
    }
    ~SystemProxy()
    {
        const DWORD disable = 0;
        RegSetValueExW(key_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&disable),
                       sizeof disable);
        RegDeleteValueW(key_, L"ProxyServer");
        RegCloseKey(key_);
    }
    SystemProxy(const SystemProxy&) = delete;
    SystemProxy& operator=(const SystemProxy&) = delete;

private:
    HKEY key_ = nullptr;
};

TEST(WinInetTransport, GoesThroughTheSystemsProxy)
{
    FaultServer proxy(Fault::Ok);
    ASSERT_TRUE(proxy.listening());
    const SystemProxy setting(L"127.0.0.1:" + std::to_wstring(proxy.port()));

    // The host does not resolve here: only the proxy can take the request.
    ASSERT_TRUE(requestAndWait(proxy, "http://sayac.keldar.example/sayac/qelnor.php", 15s).finished);
    EXPECT_EQ(proxy.connections(), 1);
    // Wine's WinINet names the default port in the absolute form.
    const std::string line = proxy.request().substr(0, proxy.request().find("\r\n"));
    EXPECT_TRUE(line == "GET http://sayac.keldar.example/sayac/qelnor.php HTTP/1.1" ||
                line == "GET http://sayac.keldar.example:80/sayac/qelnor.php HTTP/1.1")
        << proxy.request();
    EXPECT_EQ(countOf(proxy.request(), "GET "), 1U);
}

} // namespace
} // namespace vorlen
