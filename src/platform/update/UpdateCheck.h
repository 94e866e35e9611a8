#pragma once

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVersionNumber>
#include <chrono>

// One look at the release feed, a small JSON object naming the latest release:
//   {"version": "0.2.0", "url": "https://…"}
// Asynchronous; the answer comes through finished().
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        enum class Outcome
        {
            upToDate,
            newerVersion,
            failed
        };
        Outcome outcome = Outcome::failed;
        QVersionNumber version; // the feed's
        QUrl url;               // where the feed's release is
        QString message;        // a failure in plain words
    };

    static constexpr qint64 maximumFeedSize = 64 * 1024;
    static constexpr std::chrono::milliseconds defaultTimeout{15000};

    UpdateCheck(const QUrl& feed, const QVersionNumber& currentVersion, QObject* parent = nullptr);
    ~UpdateCheck() override;

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    bool isRunning() const { return m_reply; }
    // Does nothing while a look is under way.
    void start();

    // What a feed document says against the version running.
    static Result read(const QByteArray& feed, const QVersionNumber& currentVersion);
    static QString unreadable();

Q_SIGNALS:
    void finished(const UpdateCheck::Result& result);

private:
    void replyFinished();
    Result failure(QNetworkReply& reply) const;

    QUrl m_feed;
    QVersionNumber m_currentVersion;
    std::chrono::milliseconds m_timeout = defaultTimeout;
    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    bool m_tooLarge = false;
};
