#include "engine/counter_request.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <utility>

namespace vorlen {

namespace {

std::string lowerCase(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lowered;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && lowerCase(text.substr(0, prefix.size())) == prefix;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '-' || c == '_';
}

bool isAddressCharacter(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0 || c == ':' || c == '.';
}

struct Authority {
    std::string host;
    std::optional<std::uint16_t> port;
};

// "host", "host:port", "[v6]" or "[v6]:port"; nothing for anything else,
// credentials included.
std::optional<Authority> splitAuthority(std::string_view text)
{
    Authority authority;
    std::string_view rest;
    if (text.starts_with('[')) {
        const auto close = text.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view address = text.substr(1, close - 1);
        if (address.find(':') == std::string_view::npos ||
            !std::all_of(address.begin(), address.end(), isAddressCharacter)) {
            return std::nullopt;
        }
        authority.host = address;
        rest = text.substr(close + 1);
    } else {
        const auto colon = text.find(':');
        const std::string_view name = text.substr(0, colon);
        if (name.empty() || name.starts_with('.') ||
            !std::all_of(name.begin(), name.end(), isNameCharacter)) {
            return std::nullopt;
        }
        authority.host = name;
        rest = colon == std::string_view::npos ? std::string_view() : text.substr(colon);
    }
    if (rest.empty()) {
        return authority;
    }
    const std::string_view digits = rest.substr(1);
    if (!rest.starts_with(':') || digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return std::nullopt;
    }
    const long port = std::strtol(std::string(digits).c_str(), nullptr, 10);
    if (port < 1 || port > 65535) {
        return std::nullopt;
    }
    authority.port = static_cast<std::uint16_t>(port);
    return authority;
}

// Texts are joined in one piece: GCC 12 at -O3 warns falsely (-Wrestrict)
// on a short literal copied into a std::string, as in "[" + host.
std::string join(std::initializer_list<std::string_view> parts)
{
    std::string joined;
    for (const std::string_view part : parts) {
        joined.append(part.data(), part.size());
    }
    return joined;
}

// A host as it appears in a URL: an IPv6 address in brackets.
std::string shownHost(const std::string& host)
{
    return host.find(':') == std::string::npos ? host : join({"[", host, "]"});
}

} // namespace

HttpAddress HttpAddress::parse(const std::string& address, std::uint16_t defaultPort)
{
    const auto refuse = [&address](const char* why) {
        return std::invalid_argument(join({"the counter address ", why, ": ", address}));
    };
    constexpr std::string_view scheme = "http://";
    if (!startsWithNoCase(address, scheme)) {
        throw refuse("is not an http URL");
    }
    std::string_view rest = std::string_view(address).substr(scheme.size());
    rest = rest.substr(0, rest.find('#'));
    const auto targetAt = rest.find_first_of("/?");
    const std::string_view authorityText = rest.substr(0, targetAt);
    const auto authority = splitAuthority(authorityText);
    if (!authority) {
        throw refuse("has no usable host and port");
    }
    HttpAddress parsed;
    parsed.host = authority->host;
    parsed.port = authority->port.value_or(defaultPort);
    if (targetAt != std::string_view::npos) {
        const std::string_view target = rest.substr(targetAt);
        // Printable ASCII only: nothing that could end the request line early.
        if (!std::all_of(target.begin(), target.end(), [](char c) { return c > ' ' && c < '\x7f'; })) {
            throw refuse("holds a blank or a control character");
        }
        parsed.target = join({target.starts_with('?') ? "/" : "", target});
    }
    return parsed;
}

std::string HttpAddress::authority() const
{
    std::string shown = shownHost(host);
    if (port != 80) {
        shown = join({shown, ":", std::to_string(port)});
    }
    return shown;
}

std::string HttpAddress::absolute() const
{
    return join({"http://", authority(), target});
}

std::string CounterPlan::requestLine() const
{
    return join({"GET ", proxy ? page.absolute() : page.target, " HTTP/1.1"});
}

std::vector<std::string> CounterPlan::headers() const
{
    return {join({"Host: ", page.authority()}), "User-Agent: Vorlen/1.00", "Accept: */*",
            "Connection: close"};
}

std::string CounterPlan::text() const
{
    std::string request = join({requestLine(), "\r\n"});
    for (const std::string& header : headers()) {
        request = join({request, header, "\r\n"});
    }
    return join({request, "\r\n"});
}

void runDetached(void (*request)(const CounterPlan&), const CounterPlan& plan) noexcept
{
    // A request that cannot even start (no thread, no memory) is dropped as
    // one that fails on the network is.
    try {
        std::thread([request, plan] {
            try {
                request(plan);
            } catch (...) { // NOLINT(bugprone-empty-catch): out of memory ends this request, not the program
            }
        }).detach();
    } catch (...) { // NOLINT(bugprone-empty-catch): see above
    }
}

} // namespace vorlen
