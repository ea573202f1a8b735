#include "slow_lookup.h"

#include <atomic>
#include <chrono>
#include <dlfcn.h>
#include <netdb.h>
#include <string_view>
#include <thread>

namespace vorlen::test {
namespace {

std::atomic<int> lookupDelayMs{0};
std::atomic<int> lookups{0};

} // namespace

void setSlowLookup(int delayMs)
{
    lookupDelayMs = delayMs;
}

int invalidNameLookups()
{
    return lookups;
}

} // namespace vorlen::test

extern "C" int getaddrinfo(const char* name, const char* service, const addrinfo* hints, addrinfo** result)
{
    using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto systemLookup = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "getaddrinfo"));
    if (name != nullptr && std::string_view(name).ends_with(".invalid")) {
        ++vorlen::test::lookups;
        if (const int delay = vorlen::test::lookupDelayMs; delay > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
            return EAI_NONAME;
        }
    }
    return systemLookup(name, service, hints, result);
}
