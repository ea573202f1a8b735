// Starts a window program and measures it from outside, as bench/win32/run.sh
// needs: the time from CreateProcess until its window is up, shown and
// painted and the program first waits for input, then, after a settling
// second, its working set, and its CPU time over an idle window.
// Prints one line: start_ms working_set_kib peak_working_set_kib idle_cpu_percent
// Usage: vorlen_win32_launch PROGRAM.exe WINDOW-CLASS IDLE-SECONDS
#include <windows.h>

// psapi.h needs the types of windows.h.
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <psapi.h>
#include <string>

namespace {

double seconds(const FILETIME& kernel, const FILETIME& user)
{
    auto value = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32U) | time.dwLowDateTime;
    };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

double cpuSeconds(HANDLE process)
{
    FILETIME created{};
    FILETIME ended{};
    FILETIME kernel{};
    FILETIME user{};
    GetProcessTimes(process, &created, &ended, &kernel, &user);
    return seconds(kernel, user);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        std::fputs("usage: vorlen_win32_launch PROGRAM.exe WINDOW-CLASS IDLE-SECONDS\n", stderr);
        return 2;
    }
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    const wchar_t* windowClass = argv[2];
    const int idleSeconds = std::wcstol(argv[3], nullptr, 10);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const auto started = std::chrono::steady_clock::now();
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process) == FALSE) {
        std::fputs("cannot start the program\n", stderr);
        return 1;
    }
    // WaitForInputIdle returns once the program's thread first waits for
    // input with nothing left to do: its window created, shown and painted.
    double startMs = -1;
    if (WaitForInputIdle(process.hProcess, 20000) == 0) {
        HWND window = FindWindowW(windowClass, nullptr);
        if (window != nullptr && IsWindowVisible(window) != FALSE) {
            startMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
        }
    }
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
    const double before = cpuSeconds(process.hProcess);
    Sleep(static_cast<DWORD>(idleSeconds) * 1000U);
    const double idleCpu = (cpuSeconds(process.hProcess) - before) / idleSeconds * 100.0;

    HWND window = FindWindowW(windowClass, nullptr);
    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("%.1f %zu %zu %.2f\n", startMs, memory.WorkingSetSize / 1024U,
                memory.PeakWorkingSetSize / 1024U, idleCpu);
    return startMs < 0 ? 1 : 0;
}
