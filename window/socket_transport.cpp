#include "window/socket_transport.h"

#include "window/proxy.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// Written by hand rather than over libcurl: measured here, loading libcurl
// and its libraries when the request is due adds 8 MiB to the program's
// resident memory, a third of an empty window's, for one GET whose answer is
// never read. This needs a name lookup, a connection and one write.

namespace vorlen {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsUntil(Clock::time_point at)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(at - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left);
}

// Waits for events on fd until the deadline; false when it passed first.
bool waitFor(int fd, short events, Clock::time_point giveUpAt)
{
    pollfd watched{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&watched, 1, millisecondsUntil(giveUpAt));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

struct AddressList {
    addrinfo* first = nullptr;
    AddressList() = default;
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    ~AddressList()
    {
        if (first != nullptr) {
            freeaddrinfo(first);
        }
    }
};

// The lookup runs on a thread of its own, so that the request can give up at
// its deadline however long the name server takes; a late answer is dropped.
void lookUp(const std::string& host, std::uint16_t port, Clock::time_point giveUpAt, AddressList& found)
{
    struct Lookup {
        std::mutex mutex;
        std::condition_variable over;
        bool done = false;
        bool abandoned = false;
        addrinfo* addresses = nullptr;
    };
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, host, service = std::to_string(port)] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* addresses = nullptr;
        if (getaddrinfo(host.c_str(), service.c_str(), &hints, &addresses) != 0) {
            addresses = nullptr;
        }
        const std::lock_guard<std::mutex> lock(lookup->mutex);
        if (lookup->abandoned) {
            if (addresses != nullptr) {
                freeaddrinfo(addresses);
            }
            return;
        }
        lookup->addresses = addresses;
        lookup->done = true;
        lookup->over.notify_one();
    }).detach();

    std::unique_lock<std::mutex> lock(lookup->mutex);
    if (lookup->over.wait_until(lock, giveUpAt, [&lookup] { return lookup->done; })) {
        found.first = lookup->addresses;
    } else {
        lookup->abandoned = true;
    }
}

enum class Attempt { Refused, Over };

// One connection: the request written once, then the first byte of the
// answer, the end of the connection or the deadline ends it, unread.
Attempt exchange(const addrinfo& address, const std::string& request, Clock::time_point giveUpAt)
{
    const int fd = ::socket(address.ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return Attempt::Over;
    }
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        int error = errno;
        if (error == EINPROGRESS) {
            socklen_t size = sizeof error;
            if (!waitFor(fd, POLLOUT, giveUpAt) ||
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
                error = ETIMEDOUT;
            }
        }
        if (error != 0) {
            ::close(fd);
            return error == ECONNREFUSED ? Attempt::Refused : Attempt::Over;
        }
    }
    std::size_t sent = 0;
    while (sent < request.size() && waitFor(fd, POLLOUT, giveUpAt)) {
        const auto written = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            break;
        }
        sent += written > 0 ? static_cast<std::size_t>(written) : 0;
    }
    if (sent == request.size()) {
        waitFor(fd, POLLIN, giveUpAt);
    }
    ::close(fd);
    return Attempt::Over;
}

void request(const CounterPlan& plan)
{
    const Clock::time_point giveUpAt = Clock::now() + plan.deadline;
    AddressList found;
    if (plan.proxy) {
        lookUp(plan.proxy->host, plan.proxy->port, giveUpAt, found);
    } else {
        lookUp(plan.page.host, plan.page.port, giveUpAt, found);
    }
    // Only a refused connection moves on to the name's next address, once:
    // a request is never sent more than twice, and never in a loop.
    int attempts = 0;
    for (const addrinfo* address = found.first; address != nullptr && attempts < 2;
         address = address->ai_next) {
        ++attempts;
        if (exchange(*address, plan.text(), giveUpAt) != Attempt::Refused) {
            return;
        }
    }
}

} // namespace

void sendOverSocket(CounterPlan plan)
{
    plan.proxy = proxyFor(plan.page.host, ProxyVariables::fromEnvironment());
    runDetached(&request, plan);
}

} // namespace vorlen
