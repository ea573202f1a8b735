// The one request of the visit-counter page, apart from how it travels: the
// check of the address, and the request's line and headers. Sending it is
// left to each front end's transport (a thread of its own, never waited
// for); which proxy to use, to the front end; and nothing here reads or
// waits for the answer.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlen {

// An absolute http URL with a host and an optional port, nothing else.
struct HttpAddress {
    std::string host; // a name, an IPv4 address, or an IPv6 address without brackets
    std::uint16_t port = 80;
    std::string target = "/"; // path and query, without the fragment

    // Throws std::invalid_argument for anything but http://HOST[:PORT][/PATH[?QUERY]][#...]
    // whose path and query hold only printable ASCII without blanks; with no
    // port given, the port is defaultPort.
    [[nodiscard]] static HttpAddress parse(const std::string& address, std::uint16_t defaultPort = 80);

    [[nodiscard]] std::string authority() const; // the Host header: host, or [v6], and :port unless 80
    [[nodiscard]] std::string absolute() const;  // http://authority/target
};

// A proxy the request goes through (window/proxy.h chooses it on Linux).
struct ProxyServer {
    std::string host;
    std::uint16_t port = 0;
};

// Everything a transport needs to make the request.
struct CounterPlan {
    HttpAddress page;
    std::optional<ProxyServer> proxy;
    std::chrono::milliseconds deadline{};

    // "GET /path HTTP/1.1", or with the absolute URL when through a proxy.
    [[nodiscard]] std::string requestLine() const;
    [[nodiscard]] std::vector<std::string> headers() const; // "Name: value", without line ends
    [[nodiscard]] std::string text() const;                 // the whole request as sent
};

// Runs request(plan) on a thread that nobody waits for, so that the program
// may end while the request waits on the network; whatever fails, nothing
// is thrown. For the transports.
void runDetached(void (*request)(const CounterPlan&), const CounterPlan& plan) noexcept;

} // namespace vorlen
