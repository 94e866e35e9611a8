#include "UpdateCheck.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

UpdateCheck::Result failed(const QString& message)
{
    UpdateCheck::Result result;
    result.message = message;
    return result;
}

} // namespace

QString UpdateCheck::unreadable()
{
    return tr("The update information could not be read.");
}

UpdateCheck::UpdateCheck(const QUrl& feed, const QVersionNumber& currentVersion, QObject* parent)
    : QObject(parent), m_feed(feed), m_currentVersion(currentVersion)
{}

UpdateCheck::~UpdateCheck()
{
    // Given up without an answer: nobody is left to hear one.
    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
    }
}

void UpdateCheck::start()
{
    if (m_reply)
        return;
    m_tooLarge = false;
    QNetworkRequest request(m_feed);
    request.setTransferTimeout(int(m_timeout.count()));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Zembrak/") + m_currentVersion.toString());
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > maximumFeedSize && m_reply) {
            m_tooLarge = true;
            m_reply->abort();
        }
    });
    connect(m_reply, &QNetworkReply::finished, this, &UpdateCheck::replyFinished);
}

void UpdateCheck::replyFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    reply->deleteLater();
    const Result result = reply->error() == QNetworkReply::NoError && !m_tooLarge
                              ? read(reply->readAll(), m_currentVersion)
                              : failure(*reply);
    Q_EMIT finished(result);
}

UpdateCheck::Result UpdateCheck::failure(QNetworkReply& reply) const
{
    if (m_tooLarge)
        return failed(unreadable());
    const QString host = m_feed.host().isEmpty() ? m_feed.toDisplayString() : m_feed.host();
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() >= 300))
        return failed(
            tr("The update server answered with an error (HTTP %1).").arg(status.toInt()));
    switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        // A name that does not resolve may also be a wrong feed address: say both.
        return failed(tr("%1 could not be reached. Are you offline?").arg(host));
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
        return failed(tr("The update server %1 is not taking connections; "
                         "try again later.")
                          .arg(host));
    // The transfer timeout aborts the reply: nothing else cancels it.
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return failed(tr("The update server %1 did not answer in time.").arg(host));
    case QNetworkReply::SslHandshakeFailedError:
        return failed(tr("The connection to %1 is not secure; nothing was read.").arg(host));
    default:
        return failed(tr("The update check failed: %1.").arg(reply.errorString()));
    }
}

UpdateCheck::Result UpdateCheck::read(const QByteArray& feed, const QVersionNumber& currentVersion)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(feed, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return failed(unreadable());
    const QJsonObject object = document.object();
    const QString versionText = object.value(QStringLiteral("version")).toString();
    qsizetype suffix = 0;
    const QVersionNumber version = QVersionNumber::fromString(versionText, &suffix);
    const QUrl url(object.value(QStringLiteral("url")).toString(), QUrl::StrictMode);
    const bool webPage =
        url.isValid() && !url.host().isEmpty() &&
        (url.scheme() == QStringLiteral("https") || url.scheme() == QStringLiteral("http"));
    if (version.isNull() || suffix != versionText.size() || !webPage)
        return failed(unreadable());

    Result result;
    result.outcome =
        version > currentVersion ? Result::Outcome::newerVersion : Result::Outcome::upToDate;
    result.version = version;
    result.url = url;
    return result;
}
