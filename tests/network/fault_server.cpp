#include "fault_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vorlen::test {

namespace {

constexpr qint64 chunkSize = qint64{64} * 1024;
constexpr qint64 queueLimit = 4 * chunkSize;
const char* const answeredProperty = "vorlenAnswered";

QByteArray bodyChunk()
{
    static const QByteArray chunk(chunkSize, 'x');
    return chunk;
}

} // namespace

FaultServer::FaultServer(Fault fault, const QHostAddress& address) : fault_(fault)
{
    EXPECT_TRUE(server_.listen(address)) << server_.errorString().toStdString();
    connect(&server_, &QTcpServer::newConnection, this, &FaultServer::accept);
    dripTimer_.setInterval(1000);
    connect(&dripTimer_, &QTimer::timeout, this, &FaultServer::drip);
}

FaultServer::~FaultServer()
{
    dripTimer_.stop();
    server_.close();
}

std::string FaultServer::pageAddress(const char* path) const
{
    const QHostAddress host = server_.serverAddress();
    const QString shown = host.protocol() == QAbstractSocket::IPv6Protocol
                              ? QLatin1Char('[') + host.toString() + QLatin1Char(']')
                              : host.toString();
    return "http://" + shown.toStdString() + ":" + std::to_string(server_.serverPort()) + path;
}

void FaultServer::accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections_;
        ++open_;
        connect(socket, &QObject::destroyed, this, [this] { --open_; });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { received(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket](qint64 written) {
            bytesWritten_ += written;
            if (fault_ == Fault::HugeBody) {
                refill(socket);
            }
        });
        if (fault_ == Fault::ResetOnAccept) {
            reset(socket);
        }
    }
}

void FaultServer::received(QTcpSocket* socket)
{
    request_ += socket->readAll();
    if (!request_.contains("\r\n\r\n") || socket->property(answeredProperty).toBool()) {
        return;
    }
    socket->setProperty(answeredProperty, true);
    answer(socket);
}

void FaultServer::answer(QTcpSocket* socket)
{
    switch (fault_) {
    case Fault::Silent:
    case Fault::ResetOnAccept:
        return;
    case Fault::ResetAfterRequest:
        reset(socket);
        return;
    case Fault::Redirect:
        socket->write("HTTP/1.1 302 Found\r\nLocation: " + location_ + "\r\nContent-Length: 0\r\n\r\n");
        return;
    case Fault::Ok:
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
        return;
    case Fault::HugeBody:
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                      QByteArray::number(hugeBodySize) + "\r\n\r\n");
        refill(socket);
        return;
    case Fault::Drip:
        dripping_ = socket;
        drip();
        dripTimer_.start();
        return;
    }
}

void FaultServer::refill(QTcpSocket* socket)
{
    // Only as much as the kernel takes: what the peer does not read stays unsent.
    while (bodyQueued_ < hugeBodySize && socket->state() == QAbstractSocket::ConnectedState &&
           socket->bytesToWrite() < queueLimit) {
        const qint64 size = std::min(chunkSize, hugeBodySize - bodyQueued_);
        socket->write(bodyChunk().constData(), size);
        bodyQueued_ += size;
    }
}

void FaultServer::drip()
{
    static const QByteArray slowAnswer = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
    if (dripping_.isNull() || dripping_->state() != QAbstractSocket::ConnectedState ||
        dripped_ >= slowAnswer.size()) {
        dripTimer_.stop();
        return;
    }
    dripping_->write(slowAnswer.constData() + dripped_, 1);
    ++dripped_;
}

void FaultServer::reset(QTcpSocket* socket)
{
    // Closing with a zero linger time sends a reset instead of an orderly end.
    const linger abortive{1, 0};
    ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive,
                 sizeof abortive);
    socket->abort();
    socket->deleteLater();
}

FullBacklog::FullBacklog()
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (listener_ < 0 || ::bind(listener_, generic, length) != 0 || ::listen(listener_, 0) != 0 ||
        ::getsockname(listener_, generic, &length) != 0) {
        ADD_FAILURE() << "no loopback listener: errno " << errno;
        return;
    }
    port_ = ntohs(address.sin_port);
    // Connections that are never accepted fill the queue; once one of them
    // stays unanswered, so will the next.
    for (int attempt = 0; attempt < 4 && !swallows_; ++attempt) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        fillers_.push_back(filler);
        if (::connect(filler, generic, length) == 0) {
            continue;
        }
        pollfd made{filler, POLLOUT, 0};
        swallows_ = errno == EINPROGRESS && ::poll(&made, 1, 300) == 0;
    }
}

FullBacklog::~FullBacklog()
{
    for (const int fd : fillers_) {
        ::close(fd);
    }
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

std::string FullBacklog::pageAddress() const
{
    return "http://127.0.0.1:" + std::to_string(port_) + "/sayac/qelnor.php";
}

} // namespace vorlen::test
