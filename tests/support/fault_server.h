// A loopback HTTP server that misbehaves on purpose, in one of a few fixed
// ways, and records what the client did to it. It runs on a thread of its own
// with plain sockets (Winsock on Windows), so that any test can use it
// whatever its event loop.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vorlen::test {

#if defined(_WIN32)
using SocketHandle = std::uintptr_t;
#else
using SocketHandle = int;
#endif

class FaultServer {
public:
    enum class Fault {
        Silent,            // accepts, reads, never answers
        ResetAfterRequest, // reads the request, then resets the connection
        Redirect,          // answers 302 to the address given to redirectTo
        HugeBody,          // answers 200 with a 50 MiB body, as fast as the peer takes it
        Drip,              // answers one byte a second
        Ok,                // answers 200 with a short body (a redirect target, or a proxy)
    };
    static constexpr std::int64_t hugeBodySize = std::int64_t{50} * 1024 * 1024;

    explicit FaultServer(Fault fault);
    ~FaultServer();
    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;

    [[nodiscard]] bool listening() const { return port_ != 0; }
    [[nodiscard]] std::uint16_t port() const { return port_; }
    // http://127.0.0.1:port/sayac/qelnor.php, or another path.
    [[nodiscard]] std::string pageAddress(const char* path = "/sayac/qelnor.php") const;
    void redirectTo(const std::string& address);

    [[nodiscard]] int connections() const { return connections_; }
    // Every byte received, over all connections.
    [[nodiscard]] std::string request() const;
    // Bytes of the answer that reached the kernel (headers included).
    [[nodiscard]] std::int64_t bytesWritten() const { return bytesWritten_; }
    // True once every connection this server accepted is closed.
    [[nodiscard]] bool idle() const { return open_ == 0; }

private:
    struct Client;
    void run();
    bool receive(Client& client); // false once the client is gone
    bool transmit(Client& client);

    Fault fault_;
    SocketHandle listener_ = static_cast<SocketHandle>(-1);
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    std::atomic<int> open_{0};
    std::atomic<std::int64_t> bytesWritten_{0};
    mutable std::mutex mutex_;
    std::string location_;
    std::string request_;
    std::thread thread_;
};

} // namespace vorlen::test
