// The counter request over WinINet against the loopback fault server: one
// request and no redirect followed, no retry after a reset, a silent server
// given up at the deadline, and the system's proxy setting honoured.
#include "tests/support/fault_server.h"
#include "win32/counter_transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <windows.h>

namespace vorlen {
namespace {

using namespace std::chrono_literals;
using test::FaultServer;
using Fault = FaultServer::Fault;

std::size_t gets(const std::string& request)
{
    std::size_t count = 0;
    for (auto at = request.find("GET "); at != std::string::npos; at = request.find("GET ", at + 1)) {
        ++count;
    }
    return count;
}

// Sends one request and waits at most 10 s for its end as the server sees it:
// the request's headers where WinINet may keep the connection for later,
// else the connection made and closed again. How long that took.
std::chrono::milliseconds sendAndWait(const FaultServer& server, const std::string& address,
                                      std::chrono::milliseconds deadline, bool keepsConnection)
{
    const auto start = std::chrono::steady_clock::now();
    sendOverWinInet({.page = HttpAddress::parse(address), .proxy = std::nullopt, .deadline = deadline});
    const auto over = [&] {
        return keepsConnection ? server.request().find("\r\n\r\n") != std::string::npos
                               : server.connections() > 0 && server.idle();
    };
    while (!over() && std::chrono::steady_clock::now() - start < 10s) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(over()) << "still waiting after 10 s";
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

TEST(WinInetTransport, OneRequestWhateverTheServerDoes)
{
    struct Case {
        const char* name;
        Fault fault;
        std::chrono::milliseconds deadline;
        bool keepsConnection;
        int most; // connections and requests; WinINet may send a reset request once more
        std::chrono::milliseconds atLeast;
    };
    for (const Case& each :
         {Case{"redirect not followed", Fault::Redirect, 15s, true, 1, 0ms},
          Case{"reset not retried", Fault::ResetAfterRequest, 15s, false, 2, 0ms},
          Case{"silent given up at the deadline", Fault::Silent, 1500ms, false, 1, 1400ms}}) {
        SCOPED_TRACE(each.name);
        FaultServer elsewhere(Fault::Ok);
        FaultServer server(each.fault);
        ASSERT_TRUE(server.listening() && elsewhere.listening());
        server.redirectTo(elsewhere.pageAddress("/elsewhere"));
        EXPECT_GE(sendAndWait(server, server.pageAddress(), each.deadline, each.keepsConnection),
                  each.atLeast);
        std::this_thread::sleep_for(1s); // a request sent again would show up by now
        EXPECT_GE(server.connections(), 1);
        EXPECT_LE(server.connections(), each.most);
        EXPECT_TRUE(server.request().starts_with("GET /sayac/qelnor.php HTTP/1.1\r\n")) << server.request();
        EXPECT_LE(gets(server.request()), static_cast<std::size_t>(each.most));
        EXPECT_EQ(elsewhere.connections(), 0);
    }
}

TEST(WinInetTransport, GoesThroughTheSystemsProxy)
{
    FaultServer proxy(Fault::Ok);
    ASSERT_TRUE(proxy.listening());
    // The proxy of the system's settings, for the time of this test.
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", 0,
                    nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    const auto enable = [key](DWORD on) {
        RegSetValueExW(key, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
    };
    const std::wstring address = L"127.0.0.1:" + std::to_wstring(proxy.port());
    RegSetValueExW(key, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                   static_cast<DWORD>((address.size() + 1) * sizeof(wchar_t)));
    enable(1);
    // The host does not resolve here: only the proxy can take the request.
    sendAndWait(proxy, "http://sayac.keldar.example/sayac/qelnor.php", 15s, false);
    enable(0);
    RegDeleteValueW(key, L"ProxyServer");
    RegCloseKey(key);
    EXPECT_EQ(proxy.connections(), 1);
    // Wine's WinINet names the default port in the absolute form.
    const std::string line = proxy.request().substr(0, proxy.request().find("\r\n"));
    EXPECT_TRUE(line == "GET http://sayac.keldar.example/sayac/qelnor.php HTTP/1.1" ||
                line == "GET http://sayac.keldar.example:80/sayac/qelnor.php HTTP/1.1")
        << proxy.request();
    EXPECT_EQ(gets(proxy.request()), 1U);
}

} // namespace
} // namespace vorlen
