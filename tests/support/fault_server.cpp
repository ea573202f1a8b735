#include "tests/support/fault_server.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vorlen::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t chunkSize = std::size_t{64} * 1024;

#if defined(_WIN32)
const SocketHandle noSocket = INVALID_SOCKET;
constexpr int noSignal = 0;

void startSockets()
{
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}

void closeSocket(SocketHandle socket)
{
    ::closesocket(socket);
}

bool wouldBlock()
{
    const int error = WSAGetLastError();
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}

int waitFor(pollfd* fds, std::size_t count, int timeoutMs)
{
    return WSAPoll(fds, static_cast<ULONG>(count), timeoutMs);
}

void makeNonBlocking(SocketHandle socket)
{
    u_long on = 1;
    ::ioctlsocket(socket, FIONBIO, &on);
}

SocketHandle openSocket(int family)
{
    return ::socket(family, SOCK_STREAM, 0);
}

SocketHandle acceptOne(SocketHandle listener)
{
    return ::accept(listener, nullptr, nullptr);
}
#else
const SocketHandle noSocket = -1;
constexpr int noSignal = MSG_NOSIGNAL; // a peer gone away is a test case, not a reason to die

void startSockets()
{
}

void closeSocket(SocketHandle socket)
{
    ::close(socket);
}

bool wouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINPROGRESS;
}

int waitFor(pollfd* fds, std::size_t count, int timeoutMs)
{
    return ::poll(fds, static_cast<nfds_t>(count), timeoutMs);
}

void makeNonBlocking(SocketHandle socket)
{
    ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
}

// Not inherited: a test's helper process must not keep a connection open.
SocketHandle openSocket(int family)
{
    return ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

SocketHandle acceptOne(SocketHandle listener)
{
    return ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}
#endif

// Closing with a zero linger time sends a reset instead of an orderly end.
void reset(SocketHandle socket)
{
    const linger abortive{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive), sizeof abortive);
    closeSocket(socket);
}

// A listening loopback socket of the family, on a port of the system's
// choosing; its port is 0 when there is none.
SocketHandle listenOnLoopback(FaultServer::Family family, int backlog, std::uint16_t& port)
{
    startSockets();
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (family == FaultServer::Family::IPv6) {
        auto* address = reinterpret_cast<sockaddr_in6*>(&storage);
        address->sin6_family = AF_INET6;
        address->sin6_addr = in6addr_loopback;
        length = sizeof(sockaddr_in6);
    } else {
        auto* address = reinterpret_cast<sockaddr_in*>(&storage);
        address->sin_family = AF_INET;
        address->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        length = sizeof(sockaddr_in);
    }
    auto* generic = reinterpret_cast<sockaddr*>(&storage);
    const SocketHandle listener = openSocket(storage.ss_family);
    if (listener == noSocket || ::bind(listener, generic, length) != 0 || ::listen(listener, backlog) != 0 ||
        ::getsockname(listener, generic, &length) != 0) {
        if (listener != noSocket) {
            closeSocket(listener);
        }
        port = 0;
        return noSocket;
    }
    port = ntohs(family == FaultServer::Family::IPv6 ? reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port
                                                     : reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
    return listener;
}

} // namespace

struct FaultServer::Client {
    SocketHandle socket;
    bool answered = false;
    std::string received{};
    std::string outgoing{};       // what is still to be written
    std::int64_t bodyLeft = 0;    // of the huge body, not yet queued
    Clock::time_point nextDrip{}; // when the next byte of a slow answer is due
    std::string dripLeft{};       // the slow answer's bytes still to come
};

FaultServer::FaultServer(Fault fault, Family family) : fault_(fault), family_(family)
{
    listener_ = listenOnLoopback(family, 16, port_);
    if (listener_ != noSocket) {
        makeNonBlocking(listener_);
        thread_ = std::thread([this] { run(); });
    }
}

FaultServer::~FaultServer()
{
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::string FaultServer::pageAddress(const char* path) const
{
    const char* host = family_ == Family::IPv6 ? "[::1]" : "127.0.0.1";
    return std::string("http://") + host + ":" + std::to_string(port_) + path;
}

void FaultServer::redirectTo(const std::string& address)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    location_ = address;
}

std::string FaultServer::request() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return request_;
}

void FaultServer::run()
{
    std::vector<Client> clients;
    std::vector<pollfd> watched;
    while (!stopping_) {
        watched.assign(1, pollfd{listener_, POLLIN, 0});
        for (const Client& client : clients) {
            const bool writing = !client.outgoing.empty() || client.bodyLeft > 0;
            watched.push_back(pollfd{client.socket, static_cast<short>(POLLIN | (writing ? POLLOUT : 0)), 0});
        }
        // A short wait, so that a stop and a due drip are seen soon.
        if (waitFor(watched.data(), watched.size(), 10) < 0) {
            break;
        }
        std::vector<Client> kept;
        for (std::size_t i = 0; i < clients.size(); ++i) {
            Client& client = clients[i];
            const short events = watched[i + 1].revents;
            bool alive = true;
            if ((events & (POLLIN | POLLERR | POLLHUP)) != 0) {
                alive = receive(client);
            }
            if (alive && client.nextDrip != Clock::time_point{} && Clock::now() >= client.nextDrip &&
                !client.dripLeft.empty()) {
                client.outgoing += client.dripLeft.front();
                client.dripLeft.erase(0, 1);
                client.nextDrip += std::chrono::seconds(1);
            }
            if (alive) {
                alive = transmit(client);
            }
            if (alive) {
                kept.push_back(std::move(client));
            } else {
                --open_;
            }
        }
        clients = std::move(kept);
        if ((watched[0].revents & POLLIN) != 0) {
            accept(clients);
        }
    }
    for (const Client& client : clients) {
        closeSocket(client.socket);
    }
    closeSocket(listener_);
}

void FaultServer::accept(std::vector<Client>& clients)
{
    for (;;) {
        const SocketHandle socket = acceptOne(listener_);
        if (socket == noSocket) {
            return;
        }
        ++connections_;
        if (fault_ == Fault::ResetOnAccept) {
            reset(socket);
            continue;
        }
        makeNonBlocking(socket);
        ++open_;
        clients.push_back(Client{.socket = socket});
    }
}

bool FaultServer::receive(Client& client)
{
    char buffer[4096];
    const auto got = ::recv(client.socket, buffer, sizeof buffer, 0);
    if (got < 0 && wouldBlock()) {
        return true;
    }
    if (got <= 0) { // the peer closed or reset the connection
        closeSocket(client.socket);
        return false;
    }
    client.received.append(buffer, static_cast<std::size_t>(got));
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        request_.append(buffer, static_cast<std::size_t>(got));
    }
    if (!client.answered && client.received.find("\r\n\r\n") != std::string::npos) {
        client.answered = true;
        if (fault_ == Fault::ResetAfterRequest) {
            reset(client.socket);
            return false;
        }
        answer(client);
    }
    return true;
}

void FaultServer::answer(Client& client)
{
    switch (fault_) {
    case Fault::Silent:
    case Fault::ResetOnAccept:
    case Fault::ResetAfterRequest:
        return;
    case Fault::Redirect: {
        const std::lock_guard<std::mutex> lock(mutex_);
        client.outgoing = "HTTP/1.1 302 Found\r\nLocation: " + location_ + "\r\nContent-Length: 0\r\n\r\n";
        return;
    }
    case Fault::Ok:
        client.outgoing = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
        return;
    case Fault::HugeBody:
        client.outgoing = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                          std::to_string(hugeBodySize) + "\r\n\r\n";
        client.bodyLeft = hugeBodySize;
        return;
    case Fault::Drip:
        client.dripLeft = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
        client.nextDrip = Clock::now();
        return;
    }
}

bool FaultServer::transmit(Client& client)
{
    // Only as much as the kernel takes: what the peer does not read stays unsent.
    for (;;) {
        if (client.outgoing.empty() && client.bodyLeft > 0) {
            const auto size = static_cast<std::size_t>(std::min<std::int64_t>(chunkSize, client.bodyLeft));
            client.outgoing.assign(size, 'x');
            client.bodyLeft -= static_cast<std::int64_t>(size);
        }
        if (client.outgoing.empty()) {
            return true;
        }
        const auto sent =
            ::send(client.socket, client.outgoing.data(), static_cast<int>(client.outgoing.size()), noSignal);
        if (sent < 0 && wouldBlock()) {
            return true;
        }
        if (sent < 0) {
            closeSocket(client.socket);
            return false;
        }
        bytesWritten_ += sent;
        client.outgoing.erase(0, static_cast<std::size_t>(sent));
    }
}

FullBacklog::FullBacklog()
{
    listener_ = listenOnLoopback(FaultServer::Family::IPv4, 0, port_);
    if (listener_ == noSocket) {
        return;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port_);
    // Connections that are never accepted fill the queue; once one of them
    // stays unanswered, so will the next.
    for (int attempt = 0; attempt < 4 && !swallows_; ++attempt) {
        const SocketHandle filler = openSocket(AF_INET);
        if (filler == noSocket) {
            return;
        }
        makeNonBlocking(filler);
        fillers_.push_back(filler);
        if (::connect(filler, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            continue;
        }
        pollfd made{filler, POLLOUT, 0};
        swallows_ = wouldBlock() && waitFor(&made, 1, 300) == 0;
    }
}

FullBacklog::~FullBacklog()
{
    for (const SocketHandle socket : fillers_) {
        closeSocket(socket);
    }
    if (listener_ != noSocket) {
        closeSocket(listener_);
    }
}

std::string FullBacklog::pageAddress() const
{
    return "http://127.0.0.1:" + std::to_string(port_) + "/sayac/qelnor.php";
}

} // namespace vorlen::test
