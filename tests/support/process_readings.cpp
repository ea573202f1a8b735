#include "tests/support/process_readings.h"

#if !defined(_WIN32)
#include <ctime>
#include <fstream>
#include <string>

namespace vorlen::test {

namespace {

long statusField(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::stol(line.substr(field.size()));
        }
    }
    return -1;
}

} // namespace

long residentKiB()
{
    return statusField("VmRSS:");
}

long threadCount()
{
    return statusField("Threads:");
}

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

} // namespace vorlen::test
#endif
