// Which proxy the Linux window's counter request goes through, from the
// proxy variables.
#include "window/proxy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlen {
namespace {

TEST(CounterProxy, FollowsTheProxyVariables)
{
    struct Case {
        const char* name;
        ProxyVariables variables;
        const char* host;
        const char* proxy; // host:port, or empty for none
    };
    const char* const counter = "sayac.keldar.example";
    for (const Case& c : std::vector<Case>{
             {"none set", {}, counter, ""},
             {"lower case", {.http_proxy = "http://proxy.lan:3128"}, counter, "proxy.lan:3128"},
             {"upper case", {.HTTP_PROXY = "proxy.lan:8080/"}, counter, "proxy.lan:8080"},
             {"lower case wins", {.http_proxy = "http://a:1", .HTTP_PROXY = "http://b:2"}, counter, "a:1"},
             {"no port", {.http_proxy = "http://proxy.lan"}, counter, "proxy.lan:1080"},
             {"IPv6 proxy", {.http_proxy = "http://[::1]:3128"}, counter, "::1:3128"},
             {"not an http proxy", {.http_proxy = "socks5://proxy.lan:1080"}, counter, ""},
             {"credentials", {.http_proxy = "http://u:p@proxy.lan:3128"}, counter, ""},
             {"no_proxy exact", {.http_proxy = "p:1", .no_proxy = "Sayac.Keldar.Example"}, counter, ""},
             {"no_proxy suffix", {.http_proxy = "p:1", .no_proxy = "localhost, keldar.example"}, counter, ""},
             {"no_proxy leading dot", {.http_proxy = "p:1", .no_proxy = ".example"}, counter, ""},
             {"no_proxy star", {.http_proxy = "p:1", .no_proxy = "*"}, counter, ""},
             {"no_proxy upper case", {.http_proxy = "p:1", .NO_PROXY = "keldar.example"}, counter, ""},
             {"no_proxy lower case wins",
              {.http_proxy = "p:1", .no_proxy = "other", .NO_PROXY = "*"},
              counter,
              "p:1"},
             {"no_proxy not at a dot", {.http_proxy = "p:1", .no_proxy = "eldar.example"}, counter, "p:1"},
             {"no_proxy another host", {.http_proxy = "p:1", .no_proxy = "127.0.0.1"}, counter, "p:1"},
             {"no_proxy IPv6", {.http_proxy = "p:1", .no_proxy = "[::1]"}, "::1", ""},
         }) {
        const auto proxy = proxyFor(c.host, c.variables);
        EXPECT_EQ(proxy ? proxy->host + ":" + std::to_string(proxy->port) : "", c.proxy) << c.name;
    }
}

} // namespace
} // namespace vorlen
