#include "tests/support/fault_server.h"

#include <algorithm>
#include <chrono>

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

#if defined(_WIN32)
const SocketHandle noSocket = INVALID_SOCKET;
constexpr int noSignal = 0;
constexpr int noInherit = 0;
const auto closeSocket = ::closesocket;
const auto poll = [](pollfd* fds, std::size_t count, int ms) {
    return WSAPoll(fds, static_cast<ULONG>(count), ms);
};
bool wouldBlock()
{
    return WSAGetLastError() == WSAEWOULDBLOCK;
}
void makeNonBlocking(SocketHandle socket)
{
    u_long on = 1;
    ::ioctlsocket(socket, FIONBIO, &on);
}
#else
const SocketHandle noSocket = -1;
constexpr int noSignal = MSG_NOSIGNAL;  // a peer gone away is a test case, not a reason to die
constexpr int noInherit = SOCK_CLOEXEC; // a test's helper process must not keep a connection open
const auto closeSocket = ::close;
const auto poll = [](pollfd* fds, std::size_t count, int ms) { return ::poll(fds, count, ms); };
bool wouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK;
}
void makeNonBlocking(SocketHandle socket)
{
    ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
    ::fcntl(socket, F_SETFD, FD_CLOEXEC);
}
#endif

} // namespace

struct FaultServer::Client {
    SocketHandle socket;
    bool answered = false;
    std::string outgoing{};    // what is still to be written
    std::int64_t bodyLeft = 0; // of the huge body, not yet queued
    std::string drip{};        // the slow answer's bytes still to come
    Clock::time_point nextDrip{};
};

FaultServer::FaultServer(Fault fault) : fault_(fault)
{
#if defined(_WIN32)
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
#endif
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    listener_ = ::socket(AF_INET, SOCK_STREAM | noInherit, 0);
    if (listener_ == noSocket || ::bind(listener_, generic, length) != 0 || ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, generic, &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    makeNonBlocking(listener_);
    thread_ = std::thread([this] { run(); });
}

FaultServer::~FaultServer()
{
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (listener_ != noSocket) {
        closeSocket(listener_);
    }
}

std::string FaultServer::pageAddress(const char* path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
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
        if (poll(watched.data(), watched.size(), 10) < 0) {
            break;
        }
        for (std::size_t i = clients.size(); i-- > 0;) {
            Client& client = clients[i];
            bool alive = (watched[i + 1].revents & (POLLIN | POLLERR | POLLHUP)) == 0 || receive(client);
            if (alive && !client.drip.empty() && Clock::now() >= client.nextDrip) {
                client.outgoing += client.drip.front();
                client.drip.erase(0, 1);
                client.nextDrip = Clock::now() + std::chrono::seconds(1);
            }
            if (!alive || !transmit(client)) {
                closeSocket(client.socket);
                clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
                --open_;
            }
        }
        for (SocketHandle socket; (watched[0].revents & POLLIN) != 0 &&
                                  (socket = ::accept(listener_, nullptr, nullptr)) != noSocket;) {
            makeNonBlocking(socket);
            ++connections_;
            ++open_;
            clients.push_back(Client{.socket = socket});
        }
    }
    for (const Client& client : clients) {
        closeSocket(client.socket);
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
        return false;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    request_.append(buffer, static_cast<std::size_t>(got));
    if (client.answered || request_.find("\r\n\r\n") == std::string::npos) {
        return true;
    }
    client.answered = true;
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
    switch (fault_) {
    case Fault::Silent:
        break;
    case Fault::ResetAfterRequest: {
        // Closing with a zero linger time sends a reset instead of an orderly end.
        const linger abortive{1, 0};
        ::setsockopt(client.socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive),
                     sizeof abortive);
        return false;
    }
    case Fault::Redirect:
        client.outgoing = "HTTP/1.1 302 Found\r\nLocation: " + location_ + "\r\nContent-Length: 0\r\n\r\n";
        break;
    case Fault::HugeBody:
        client.outgoing = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(hugeBodySize) + "\r\n\r\n";
        client.bodyLeft = hugeBodySize;
        break;
    case Fault::Drip:
        client.drip = ok;
        break;
    case Fault::Ok:
        client.outgoing = ok;
        break;
    }
    return true;
}

bool FaultServer::transmit(Client& client)
{
    // Only as much as the kernel takes: what the peer does not read stays unsent.
    for (;;) {
        if (client.outgoing.empty() && client.bodyLeft > 0) {
            const auto size = std::min<std::int64_t>(64 * 1024, client.bodyLeft);
            client.outgoing.assign(static_cast<std::size_t>(size), 'x');
            client.bodyLeft -= size;
        }
        if (client.outgoing.empty()) {
            return true;
        }
        const auto sent =
            ::send(client.socket, client.outgoing.data(), static_cast<int>(client.outgoing.size()), noSignal);
        if (sent < 0) {
            return wouldBlock();
        }
        bytesWritten_ += sent;
        client.outgoing.erase(0, static_cast<std::size_t>(sent));
    }
}

} // namespace vorlen::test
