#include "tests/support/process_readings.h"

#if defined(_WIN32)
// psapi.h needs the types of windows.h.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on
#else
#include <ctime>
#include <fstream>
#include <string>
#endif

namespace vorlen::test {

#if defined(_WIN32)
long residentKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) == 0) {
        return -1;
    }
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

long threadCount()
{
    return -1;
}

long long monotonicNs()
{
    LARGE_INTEGER count{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart / frequency.QuadPart * 1'000'000'000LL +
           count.QuadPart % frequency.QuadPart * 1'000'000'000LL / frequency.QuadPart;
}
#else
namespace {

long statusField(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) {
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
#endif

} // namespace vorlen::test
