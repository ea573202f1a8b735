// Prints "exec NS" (CLOCK_MONOTONIC nanoseconds) on standard output and then
// becomes the given program, so that a script can time that program from the
// moment just before it was executed.
//
// Usage: vorlen_stamp_exec PROGRAM [ARGUMENT...]
#include <cstdio>
#include <ctime>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fputs("usage: vorlen_stamp_exec PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("exec %lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
    std::fflush(stdout);
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}
