// Which proxy the counter request goes through on Linux, from the proxy
// variables of the environment, as other programs here read them.
#pragma once

#include "engine/counter_request.h"

#include <optional>
#include <string>

namespace vorlen {

// The values of the proxy variables; an empty value counts as unset.
struct ProxyVariables {
    // NOLINTBEGIN(readability-identifier-naming): the variables' own names
    std::string http_proxy{};
    std::string HTTP_PROXY{};
    std::string no_proxy{};
    std::string NO_PROXY{};
    // NOLINTEND(readability-identifier-naming)

    [[nodiscard]] static ProxyVariables fromEnvironment();
};

// The proxy a request of host goes through, or none for a direct connection.
// The lower-case variable wins over the upper-case one. Only an http proxy
// without credentials is used; any other value means a direct connection,
// and a proxy without a port is asked on 1080, as libcurl does, so that
// programs here agree. no_proxy is a comma-separated list of host names,
// each covering itself and every name under it (a leading dot is ignored),
// or "*" for every host.
[[nodiscard]] std::optional<ProxyServer> proxyFor(const std::string& host, const ProxyVariables& variables);

} // namespace vorlen
