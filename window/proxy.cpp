#include "window/proxy.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace vorlen {

namespace {

constexpr std::uint16_t portWhenNoneGiven = 1080;

std::string lowerCase(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lowered;
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

ProxyVariables ProxyVariables::fromEnvironment()
{
    const auto read = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value == nullptr ? "" : value);
    };
    return {read("http_proxy"), read("HTTP_PROXY"), read("no_proxy"), read("NO_PROXY")};
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
    // The proxy's host and port are read as an http address's are.
    try {
        const HttpAddress proxy = HttpAddress::parse("http://" + std::string(value), portWhenNoneGiven);
        return ProxyServer{.host = proxy.host, .port = proxy.port};
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

} // namespace vorlen
