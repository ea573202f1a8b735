// Which proxy the Linux window's counter request goes through, from the
// proxy variables.
#include "window/proxy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlen {
namespace {

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
        const auto url = [&proxy] {
            const bool v6 = proxy->host.find(':') != std::string::npos;
            return "http://" + (v6 ? "[" + proxy->host + "]" : proxy->host) + ":" +
                   std::to_string(proxy->port);
        };
        if (c.proxy == nullptr) {
            EXPECT_FALSE(proxy) << url();
        } else {
            ASSERT_TRUE(proxy);
            EXPECT_EQ(url(), c.proxy);
        }
    }
}

} // namespace
} // namespace vorlen
