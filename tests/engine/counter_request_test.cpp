// The counter request apart from its transport: which addresses it accepts,
// which proxy it picks, the request it writes, and that it sends once.
#include "engine/counter_request.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace vorlen {
namespace {

using namespace std::chrono_literals;

struct AddressCase {
    const char* address;
    const char* host = nullptr; // refused
    std::uint16_t port = 0;
    const char* target = "";
    const char* authority = "";
};

TEST(CounterAddress, AcceptsOnlyAbsoluteHttpUrlsWithAHost)
{
    const std::vector<AddressCase> cases = {
        {"http://sayac.keldar.example/sayac/qelnor.php", "sayac.keldar.example", 80, "/sayac/qelnor.php",
         "sayac.keldar.example"},
        {"HTTP://Sayac.Example:8080/a?b=1#top", "Sayac.Example", 8080, "/a?b=1", "Sayac.Example:8080"},
        {"http://127.0.0.1:80", "127.0.0.1", 80, "/", "127.0.0.1"},
        {"http://[::1]:8080/x", "::1", 8080, "/x", "[::1]:8080"},
        {"http://h?q", "h", 80, "/?q", "h"},
        {""},
        {"https://sayac.keldar.example/sayac/qelnor.php"},
        {"ftp://127.0.0.1/x"},
        {"file:///etc/passwd"},
        {"//sayac.keldar.example/x"},
        {"http:///nohost"},
        {"http://user:secret@h/x"},
        {"http://h:/x"},
        {"http://h:0/x"},
        {"http://h:65536/x"},
        {"http://h:8o/x"},
        {"http://[::1/x"},
        {"http://h/a b"},
        {"http://h/x\r\nX-Injected: 1"},
        {"http://h\xc3\xa7/x"},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.address);
        if (c.host == nullptr) {
            EXPECT_THROW((void)HttpAddress::parse(c.address), std::invalid_argument);
            continue;
        }
        const HttpAddress parsed = HttpAddress::parse(c.address);
        EXPECT_EQ(parsed.host, c.host);
        EXPECT_EQ(parsed.port, c.port);
        EXPECT_EQ(parsed.target, c.target);
        EXPECT_EQ(parsed.authority(), c.authority);
    }
}

struct ProxyCase {
    const char* name;
    ProxyVariables variables;
    const char* host;
    const char* proxy; // nullptr: direct
};

TEST(CounterProxy, FollowsTheProxyVariables)
{
    const char* const counter = "sayac.keldar.example";
    const std::vector<ProxyCase> cases = {
        {"none set", {}, counter, nullptr},
        {"lower case", {.http_proxy = "http://proxy.lan:3128"}, counter, "http://proxy.lan:3128"},
        {"upper case", {.HTTP_PROXY = "proxy.lan:8080/"}, counter, "http://proxy.lan:8080"},
        {"lower case wins", {.http_proxy = "http://a:1", .HTTP_PROXY = "http://b:2"}, counter, "http://a:1"},
        {"no port", {.http_proxy = "http://proxy.lan"}, counter, "http://proxy.lan:1080"},
        {"IPv6 proxy", {.http_proxy = "http://[::1]:3128"}, counter, "http://[::1]:3128"},
        {"not an http proxy", {.http_proxy = "socks5://proxy.lan:1080"}, counter, nullptr},
        {"credentials", {.http_proxy = "http://u:p@proxy.lan:3128"}, counter, nullptr},
        {"no_proxy exact", {.http_proxy = "p:1", .no_proxy = "Sayac.Keldar.Example"}, counter, nullptr},
        {"no_proxy suffix", {.http_proxy = "p:1", .no_proxy = "localhost, keldar.example"}, counter, nullptr},
        {"no_proxy leading dot", {.http_proxy = "p:1", .no_proxy = ".example"}, counter, nullptr},
        {"no_proxy star", {.http_proxy = "p:1", .no_proxy = "*"}, counter, nullptr},
        {"no_proxy upper case", {.http_proxy = "p:1", .NO_PROXY = "keldar.example"}, counter, nullptr},
        {"no_proxy lower case wins",
         {.http_proxy = "p:1", .no_proxy = "other", .NO_PROXY = "*"},
         counter,
         "http://p:1"},
        {"no_proxy not at a dot", {.http_proxy = "p:1", .no_proxy = "eldar.example"}, counter, "http://p:1"},
        {"no_proxy another host", {.http_proxy = "p:1", .no_proxy = "127.0.0.1"}, counter, "http://p:1"},
        {"no_proxy IPv6", {.http_proxy = "p:1", .no_proxy = "[::1]"}, "::1", nullptr},
    };
    for (const ProxyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto proxy = proxyFor(c.host, c.variables);
        if (c.proxy == nullptr) {
            EXPECT_FALSE(proxy) << proxy->url();
        } else {
            ASSERT_TRUE(proxy);
            EXPECT_EQ(proxy->url(), c.proxy);
        }
    }
}

struct RecordingTransport : CounterTransport {
    explicit RecordingTransport(std::vector<CounterPlan>& record) : sent(record) {}
    void send(const CounterPlan& plan) override { sent.push_back(plan); }
    std::vector<CounterPlan>& sent; // NOLINT(cppcoreguidelines-avoid-const-or-ref-data-members)
};

TEST(CounterRequest, SendsOneGetDirectOrInAbsoluteFormThroughAProxy)
{
    std::vector<CounterPlan> sent;
    CounterRequest direct(std::make_unique<RecordingTransport>(sent),
                          {.http_proxy = "p:1", .no_proxy = "example"});
    CounterRequest proxied(std::make_unique<RecordingTransport>(sent), {.HTTP_PROXY = "p:1"}, 1500ms);
    direct.navigate("http://sayac.keldar.example/sayac/qelnor.php");
    proxied.navigate("http://sayac.keldar.example:81/sayac/qelnor.php");
    ASSERT_EQ(sent.size(), 2U);

    EXPECT_EQ(sent[0].text(), "GET /sayac/qelnor.php HTTP/1.1\r\n"
                              "Host: sayac.keldar.example\r\n"
                              "User-Agent: Vorlen/1.00\r\nAccept: */*\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(sent[0].deadline, 15s);
    EXPECT_FALSE(sent[0].proxy);
    EXPECT_EQ(sent[1].requestLine(), "GET http://sayac.keldar.example:81/sayac/qelnor.php HTTP/1.1");
    EXPECT_EQ(sent[1].headers().front(), "Host: sayac.keldar.example:81");
    EXPECT_EQ(sent[1].deadline, 1500ms);
    ASSERT_TRUE(sent[1].proxy);
    EXPECT_EQ(sent[1].proxy->url(), "http://p:1");
}

TEST(CounterRequest, SendsNothingForABadAddressAndOnlyOncePerRun)
{
    std::vector<CounterPlan> sent;
    CounterRequest request(std::make_unique<RecordingTransport>(sent), {});
    EXPECT_THROW(request.navigate("https://sayac.keldar.example/sayac/qelnor.php"), std::invalid_argument);
    EXPECT_TRUE(sent.empty());
    request.navigate("http://sayac.keldar.example/sayac/qelnor.php");
    EXPECT_THROW(request.navigate("http://sayac.keldar.example/sayac/qelnor.php"), std::logic_error);
    EXPECT_EQ(sent.size(), 1U);
}

} // namespace
} // namespace vorlen
