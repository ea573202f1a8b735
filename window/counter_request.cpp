#include "window/counter_request.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <mutex>
#include <stdexcept>
#include <thread>

#if defined(Q_OS_UNIX)
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vorlen {

// What a lookup thread and the request share. Once the request is over or
// gone, the thread's answer is dropped.
struct CounterRequest::Lookup {
    std::mutex mutex;
    bool abandoned = false;
    QPointer<CounterRequest> owner;
};

CounterRequest::CounterRequest(int timeoutMs, QObject* parent) : QObject(parent), timeoutMs_(timeoutMs)
{
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, &CounterRequest::finish);
}

CounterRequest::~CounterRequest()
{
    if (lookup_) {
        const std::lock_guard<std::mutex> lock(lookup_->mutex);
        lookup_->abandoned = true;
    }
    if (!socket_.isNull()) {
        socket_->abort();
    }
#if defined(Q_OS_UNIX)
    stopConnecting(true);
#endif
}

void CounterRequest::navigate(const std::string& address)
{
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("http") || url.host().isEmpty()) {
        throw std::invalid_argument("the counter address is not an http URL: " + address);
    }
    if (sent_) {
        throw std::logic_error("the counter page was requested already");
    }
    sent_ = true;
    pending_ = true;

    port_ = static_cast<quint16>(url.port(80));
    QString host = url.host(QUrl::FullyEncoded);
    QByteArray hostHeader = (host.contains(QLatin1Char(':')) ? "[" + host.toLatin1() + "]" : host.toLatin1());
    if (url.port() != -1) {
        hostHeader += ":" + QByteArray::number(url.port());
    }
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) {
        target = "/";
    }
    if (url.hasQuery()) {
        target += "?" + url.query(QUrl::FullyEncoded).toLatin1();
    }
    request_ = "GET " + target + " HTTP/1.1\r\nHost: " + hostHeader +
               "\r\nUser-Agent: Vorlen/1.00\r\nAccept: */*\r\nConnection: close\r\n\r\n";

    deadline_->start(timeoutMs_);
    QHostAddress literal;
    if (literal.setAddress(host)) {
        connectTo(literal);
    } else {
        lookUp(host);
    }
}

void CounterRequest::lookUp(const QString& host)
{
#if defined(Q_OS_UNIX)
    // Qt's own lookups are waited for when the program ends; a slow name
    // server would keep a closed window's process alive. This thread is
    // left to finish on its own and its answer dropped if nobody wants it.
    lookup_ = std::make_shared<Lookup>();
    lookup_->owner = this;
    std::thread([lookup = lookup_, name = host.toStdString()] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        QHostAddress address;
        if (getaddrinfo(name.c_str(), nullptr, &hints, &found) == 0 && found != nullptr) {
            address.setAddress(found->ai_addr);
        }
        if (found != nullptr) {
            freeaddrinfo(found);
        }
        const std::lock_guard<std::mutex> lock(lookup->mutex);
        if (lookup->abandoned || lookup->owner.isNull()) {
            return;
        }
        QMetaObject::invokeMethod(
            lookup->owner.data(),
            [owner = lookup->owner, address] {
                if (!owner.isNull() && owner->pending_) {
                    if (address.isNull()) {
                        owner->finish();
                    } else {
                        owner->connectTo(address);
                    }
                }
            },
            Qt::QueuedConnection);
    }).detach();
#else
    QHostInfo::lookupHost(host, this, [this](const QHostInfo& info) {
        if (!pending_) {
            return;
        }
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
            finish();
        } else {
            connectTo(info.addresses().constFirst());
        }
    });
#endif
}

void CounterRequest::connectTo(const QHostAddress& address)
{
#if defined(Q_OS_UNIX)
    // The connection is made by hand: Qt's socket, when a connection is
    // reset while being made, calls connect() again on the same socket,
    // which opens a fresh connection each time, thousands of them a second.
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto* ipv4 = reinterpret_cast<sockaddr_in*>(&storage);
        ipv4->sin_family = AF_INET;
        ipv4->sin_port = htons(port_);
        ipv4->sin_addr.s_addr = htonl(address.toIPv4Address());
        length = sizeof(sockaddr_in);
    } else {
        auto* ipv6 = reinterpret_cast<sockaddr_in6*>(&storage);
        ipv6->sin6_family = AF_INET6;
        ipv6->sin6_port = htons(port_);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&ipv6->sin6_addr, &bytes, sizeof bytes);
        length = sizeof(sockaddr_in6);
    }
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        finish();
        return;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&storage), length) == 0) {
        adopt(fd);
        return;
    }
    if (errno != EINPROGRESS) {
        ::close(fd);
        finish();
        return;
    }
    connecting_ = fd;
    connectWatch_ = new QSocketNotifier(static_cast<qintptr>(fd), QSocketNotifier::Write, this);
    connect(connectWatch_, &QSocketNotifier::activated, this, [this] {
        const int made = connecting_;
        stopConnecting(false);
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(made, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0) {
            adopt(made);
        } else {
            ::close(made);
            finish();
        }
    });
#else
    socket_ = new QTcpSocket(this);
    watch(socket_);
    connect(socket_, &QTcpSocket::connected, this, [this] { socket_->write(request_); });
    socket_->connectToHost(address, port_);
#endif
}

#if defined(Q_OS_UNIX)
void CounterRequest::adopt(int fd)
{
    socket_ = new QTcpSocket(this);
    watch(socket_);
    if (!socket_->setSocketDescriptor(fd)) {
        ::close(fd);
        finish();
        return;
    }
    socket_->write(request_);
}

void CounterRequest::stopConnecting(bool close)
{
    if (connecting_ < 0) {
        return;
    }
    delete connectWatch_;
    connectWatch_ = nullptr;
    if (close) {
        ::close(connecting_);
    }
    connecting_ = -1;
}
#endif

void CounterRequest::watch(QTcpSocket* socket)
{
    // One connection: whatever happens to it, the first answer byte included,
    // ends the request.
    socket->setReadBufferSize(1);
    connect(socket, &QTcpSocket::readyRead, this, &CounterRequest::finish);
    connect(socket, &QTcpSocket::errorOccurred, this, &CounterRequest::finish);
    connect(socket, &QTcpSocket::disconnected, this, &CounterRequest::finish);
}

void CounterRequest::finish()
{
    if (!pending_) {
        return;
    }
    pending_ = false;
    deadline_->stop();
#if defined(Q_OS_UNIX)
    stopConnecting(true);
#endif
    if (lookup_) {
        const std::lock_guard<std::mutex> lock(lookup_->mutex);
        lookup_->abandoned = true;
    }
    if (!socket_.isNull()) {
        QTcpSocket* socket = socket_;
        socket_.clear();
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    emit done();
}

} // namespace vorlen
