// The counter request apart from its transport: which addresses it accepts,
// and the request it writes.
#include "engine/counter_request.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace vorlen {
namespace {

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

TEST(CounterPlan, OneGetDirectOrInAbsoluteFormThroughAProxy)
{
    CounterPlan plan{.page = HttpAddress::parse("http://sayac.keldar.example/sayac/qelnor.php"),
                     .proxy = std::nullopt,
                     .deadline = {}};
    EXPECT_EQ(plan.text(), "GET /sayac/qelnor.php HTTP/1.1\r\n"
                           "Host: sayac.keldar.example\r\n"
                           "User-Agent: Vorlen/1.00\r\nAccept: */*\r\nConnection: close\r\n\r\n");
    plan = {.page = HttpAddress::parse("http://sayac.keldar.example:81/sayac/qelnor.php"),
            .proxy = ProxyServer{.host = "p", .port = 1},
            .deadline = {}};
    EXPECT_EQ(plan.requestLine(), "GET http://sayac.keldar.example:81/sayac/qelnor.php HTTP/1.1");
    EXPECT_EQ(plan.headers().front(), "Host: sayac.keldar.example:81");
}

} // namespace
} // namespace vorlen
