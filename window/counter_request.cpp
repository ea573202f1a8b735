#include "window/counter_request.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <stdexcept>

namespace vorlen {

CounterRequest::CounterRequest(int timeoutMs, QObject* parent) : QObject(parent), timeoutMs_(timeoutMs)
{
}

CounterRequest::~CounterRequest()
{
    if (!reply_.isNull()) {
        reply_->abort();
    }
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

    if (network_ == nullptr) {
        network_ = new QNetworkAccessManager(this);
        network_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(timeoutMs_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);

    reply_ = network_->get(request);
    reply_->setReadBufferSize(1); // never let a large answer pile up in memory
    // The answer is of no interest: drop the connection once the headers are in.
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        if (!reply_.isNull()) {
            reply_->abort();
        }
    });
    connect(reply_, &QNetworkReply::finished, this, &CounterRequest::finish);
}

void CounterRequest::finish()
{
    if (!reply_.isNull()) {
        reply_->deleteLater();
        reply_.clear();
    }
    emit done();
}

} // namespace vorlen
