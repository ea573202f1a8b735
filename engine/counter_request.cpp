#include "engine/counter_request.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
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

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
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

bool noProxyCovers(const std::string& host, std::string_view list)
{
    const std::string name = lowerCase(host);
    while (!list.empty()) {
        const auto comma = list.find(',');
        std::string entry = lowerCase(trimmed(list.substr(0, comma)));
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        if (entry == "*") {
            return true;
        }
        if (entry.starts_with('.')) {
            entry.erase(0, 1);
        }
        if (entry.size() > 2 && entry.front() == '[' && entry.back() == ']') {
            entry = entry.substr(1, entry.size() - 2);
        }
        if (entry.empty()) {
            continue;
        }
        if (name == entry || (name.size() > entry.size() && name.ends_with(entry) &&
                              name[name.size() - entry.size() - 1] == '.')) {
            return true;
        }
    }
    return false;
}

} // namespace

HttpAddress HttpAddress::parse(const std::string& address)
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
    parsed.port = authority->port.value_or(std::uint16_t{80});
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

ProxyVariables ProxyVariables::fromEnvironment()
{
    const auto read = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value == nullptr ? "" : value);
    };
    return {read("http_proxy"), read("HTTP_PROXY"), read("no_proxy"), read("NO_PROXY")};
}

std::string ProxyServer::url() const
{
    return join({"http://", shownHost(host), ":", std::to_string(port)});
}

std::optional<ProxyServer> proxyFor(const std::string& host, const ProxyVariables& variables)
{
    std::string_view value =
        trimmed(variables.http_proxy.empty() ? variables.HTTP_PROXY : variables.http_proxy);
    const std::string& noProxy = variables.no_proxy.empty() ? variables.NO_PROXY : variables.no_proxy;
    if (value.empty() || noProxyCovers(host, noProxy)) {
        return std::nullopt;
    }
    if (const auto schemeEnd = value.find("://"); schemeEnd != std::string_view::npos) {
        if (lowerCase(value.substr(0, schemeEnd)) != "http") {
            return std::nullopt;
        }
        value.remove_prefix(schemeEnd + 3);
    }
    const auto authority = splitAuthority(value.substr(0, value.find('/')));
    if (!authority) {
        return std::nullopt;
    }
    ProxyServer proxy{.host = authority->host};
    if (authority->port) {
        proxy.port = *authority->port;
    }
    return proxy;
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

CounterRequest::CounterRequest(std::unique_ptr<CounterTransport> transport, ProxyVariables proxies,
                               std::chrono::milliseconds deadline)
    : transport_(std::move(transport)), proxies_(std::move(proxies)), deadline_(deadline)
{
}

CounterPlan CounterRequest::plan(const std::string& address) const
{
    HttpAddress page = HttpAddress::parse(address);
    std::optional<ProxyServer> proxy = proxyFor(page.host, proxies_);
    return {.page = std::move(page), .proxy = std::move(proxy), .deadline = deadline_};
}

void CounterRequest::navigate(const std::string& address)
{
    const CounterPlan planned = plan(address);
    if (sent_) {
        throw std::logic_error("the counter page was requested already");
    }
    sent_ = true;
    transport_->send(planned);
}

void runDetached(void (*request)(const CounterPlan&), const CounterPlan& plan,
                 const std::function<void()>& finished)
{
    std::thread([request, plan, finished] {
        try {
            request(plan);
        } catch (...) { // NOLINT(bugprone-empty-catch): out of memory ends this request, not the program
        }
        finished();
    }).detach();
}

} // namespace vorlen
