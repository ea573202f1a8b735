// Prints "exec NS" (CLOCK_MONOTONIC nanoseconds) on standard output and then
// starts the given program, so that a script can time that program from the
// moment just before it was executed. On an X display it also prints
// "mapped NS" when the program's first top-level window is mapped, as the X
// server reports it to a client watching the root window: the moment the
// window exists on the screen, whatever the program itself reports. It ends
// with the program, and passes on the signals that ask it to end.
//
// Usage: vorlen_stamp_exec PROGRAM [ARGUMENT...]
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

volatile pid_t child = 0;

long long now()
{
    timespec stamp{};
    clock_gettime(CLOCK_MONOTONIC, &stamp);
    return static_cast<long long>(stamp.tv_sec) * 1'000'000'000LL + stamp.tv_nsec;
}

void passOn(int signal)
{
    if (child > 0) {
        kill(child, signal);
    }
}

// The X server tells a client that asks for the root window's structure
// events of every window mapped on it; nothing else on the display maps one.
xcb_connection_t* watchRoot()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip, so that the server watches before the program starts.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    return connection;
}

bool mapped(xcb_connection_t* connection)
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> held(event, &std::free);
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
            reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fputs("usage: vorlen_stamp_exec PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    xcb_connection_t* connection = watchRoot();
    std::signal(SIGTERM, passOn);
    std::signal(SIGINT, passOn);
    std::printf("exec %lld\n", now());
    std::fflush(stdout);
    const pid_t started = fork();
    if (started == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    if (started < 0) {
        std::perror("fork");
        return 1;
    }
    child = started;
    bool seen = connection == nullptr;
    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(started, &status, WNOHANG);
        if (ended == started) {
            break;
        }
        if (!seen) {
            pollfd ready{.fd = xcb_get_file_descriptor(connection), .events = POLLIN, .revents = 0};
            poll(&ready, 1, 20);
            if (xcb_connection_has_error(connection) != 0) {
                seen = true; // the display went away: no map to report
            } else if (mapped(connection)) {
                std::printf("mapped %lld\n", now());
                std::fflush(stdout);
                seen = true;
            }
        } else {
            waitpid(started, &status, 0);
            break;
        }
    }
    if (connection != nullptr) {
        xcb_disconnect(connection);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
