// The one request of the visit-counter page, apart from how it travels: the
// check of the address, the proxy to go through, the request's line and
// headers, the deadline, and "once per run". Sending is left to a transport
// that each front end supplies (a thread of its own, never waited for), and
// nothing here reads or waits for the answer.
#pragma once

#include "engine/controls.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
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
    // whose path and query hold only printable ASCII without blanks.
    [[nodiscard]] static HttpAddress parse(const std::string& address);

    [[nodiscard]] std::string authority() const; // the Host header: host, or [v6], and :port unless 80
    [[nodiscard]] std::string absolute() const;  // http://authority/target
};

// The values of the proxy variables, as the caller read them from wherever
// it keeps them; an empty value counts as unset.
struct ProxyVariables {
    // NOLINTBEGIN(readability-identifier-naming): the variables' own names
    std::string http_proxy{};
    std::string HTTP_PROXY{};
    std::string no_proxy{};
    std::string NO_PROXY{};
    // NOLINTEND(readability-identifier-naming)

    [[nodiscard]] static ProxyVariables fromEnvironment();
};

struct ProxyServer {
    std::string host;
    std::uint16_t port = 1080; // when none is given: libcurl's default, so programs here agree

    [[nodiscard]] std::string url() const; // http://host:port
};

// The proxy a request of host goes through, or none for a direct connection.
// The lower-case variable wins over the upper-case one. Only an http proxy
// without credentials is used; any other value means a direct connection.
// no_proxy is a comma-separated list of host names, each covering itself and
// every name under it (a leading dot is ignored), or "*" for every host.
[[nodiscard]] std::optional<ProxyServer> proxyFor(const std::string& host, const ProxyVariables& variables);

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

class CounterTransport {
public:
    virtual ~CounterTransport() = default;
    // Starts the request and returns at once. It gives up at plan.deadline,
    // follows no redirect and reads no more of the answer than its first bytes.
    virtual void send(const CounterPlan& plan) = 0;
};

// Runs request(plan) on a thread that nobody waits for, so that the program
// may end while the request waits on the network; then finished(), on that
// thread, whatever the outcome. For the transports' send().
void runDetached(void (*request)(const CounterPlan&), const CounterPlan& plan,
                 const std::function<void()>& finished);

class CounterRequest : public WebBrowser {
public:
    static constexpr std::chrono::milliseconds defaultDeadline{15'000};

    CounterRequest(std::unique_ptr<CounterTransport> transport, ProxyVariables proxies,
                   std::chrono::milliseconds deadline = defaultDeadline);

    // Throws std::invalid_argument for an address HttpAddress refuses (and
    // nothing is sent), and std::logic_error once a request was sent: the
    // page is asked for once per run.
    void navigate(const std::string& address) override;

    [[nodiscard]] CounterPlan plan(const std::string& address) const;

private:
    std::unique_ptr<CounterTransport> transport_;
    ProxyVariables proxies_;
    std::chrono::milliseconds deadline_;
    bool sent_ = false;
};

} // namespace vorlen
