#include "window/counter_browser.h"

#include "window/socket_transport.h"

#include <mutex>
#include <utility>

namespace vorlen {

struct CounterBrowser::Channel {
    std::mutex mutex;
    CounterBrowser* owner = nullptr; // cleared, under the mutex, when the owner goes

    // Called on the request's thread. The queued call is posted while the
    // owner is sure to live; Qt drops it if the owner is deleted before it runs.
    void finished()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (owner != nullptr) {
            QMetaObject::invokeMethod(
                owner,
                [browser = owner] {
                    browser->pending_ = false;
                    emit browser->done();
                },
                Qt::QueuedConnection);
        }
    }
};

CounterBrowser::CounterBrowser(std::chrono::milliseconds deadline, QObject* parent)
    : CounterBrowser(std::make_shared<Channel>(), deadline, parent)
{
}

CounterBrowser::CounterBrowser(std::shared_ptr<Channel> channel, std::chrono::milliseconds deadline,
                               QObject* parent)
    : QObject(parent), CounterRequest(std::make_unique<SocketTransport>([channel] { channel->finished(); }),
                                      ProxyVariables::fromEnvironment(), deadline),
      channel_(std::move(channel))
{
    channel_->owner = this;
}

CounterBrowser::~CounterBrowser()
{
    const std::lock_guard<std::mutex> lock(channel_->mutex);
    channel_->owner = nullptr;
}

void CounterBrowser::navigate(const std::string& address)
{
    CounterRequest::navigate(address);
    pending_ = true;
}

} // namespace vorlen
