#include "platform/Updater.h"
#include "platform/UpdateCheck.h"
#include "platform/UpdateDialog.h"

#include <QApplication>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <optional>

using namespace std::chrono_literals;
using Outcome = UpdateCheck::Result::Outcome;

namespace {

// An HTTP server on 127.0.0.1 that gives every request the same answer, or
// none at all when the answer is empty.
class FeedServer : public QObject
{
public:
    explicit FeedServer(QByteArray answer) : m_answer(std::move(answer))
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    m_request += socket->readAll();
                    if (!m_request.contains("\r\n\r\n") || m_answer.isEmpty())
                        return;
                    ++requests;
                    socket->write(m_answer);
                    socket->disconnectFromHost();
                });
            }
        });
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
    }

    static QByteArray answer(int status, const QByteArray& body)
    {
        return "HTTP/1.1 " + QByteArray::number(status) +
               " Status\r\nContent-Type: application/json\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/feed.json").arg(m_server.serverPort()));
    }
    void close() { m_server.close(); }

    int requests = 0;

private:
    QTcpServer m_server;
    QByteArray m_answer;
    QByteArray m_request;
};

std::optional<UpdateCheck::Result> runCheck(const QUrl& feed, const QString& current,
                                            std::chrono::milliseconds timeout)
{
    UpdateCheck check(feed, QVersionNumber::fromString(current));
    check.setTimeout(timeout);
    std::optional<UpdateCheck::Result> result;
    QObject::connect(&check, &UpdateCheck::finished,
                     [&result](const UpdateCheck::Result& r) { result = r; });
    check.start();
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 10000))
        return std::nullopt;
    return result;
}

// A feed document; the version is written as JSON as it stands ("\"0.2.0\"", "2").
QByteArray feed(const QByteArray& version, const QByteArray& url = "https://z.example/")
{
    return "{\"version\": " + version + ", \"url\": \"" + url + "\"}";
}

const QByteArray release = feed("\"0.2.0\"", "https://zembrak.example/releases/0.2.0");

} // namespace

class UpdaterTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }

    void answers_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QByteArray>("answer"); // empty: never answers; "closed": nothing listens
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* current, const QByteArray& answer,
                            Outcome outcome, const QString& message = QString()) {
            QTest::newRow(name) << QString(current) << answer << outcome << message;
        };
        const QString unreadable = "The update information could not be read.";
        const QString httpError = "The update server answered with an error (HTTP %1).";
        row("newer", "0.1.0", FeedServer::answer(200, release), Outcome::newerVersion);
        row("same", "0.2.0", FeedServer::answer(200, release), Outcome::upToDate);
        row("older", "0.3.1", FeedServer::answer(200, release), Outcome::upToDate);
        row("numeric, not textual", "0.10.0", FeedServer::answer(200, feed("\"0.9.0\"")),
            Outcome::upToDate);
        row("malformed JSON", "0.1.0", FeedServer::answer(200, release.left(20)), Outcome::failed,
            unreadable);
        row("version not text", "0.1.0", FeedServer::answer(200, feed("2")), Outcome::failed,
            unreadable);
        row("no web page", "0.1.0",
            FeedServer::answer(200, feed("\"0.2.0\"", "file:///etc/passwd")), Outcome::failed,
            unreadable);
        row("huge", "0.1.0", FeedServer::answer(200, QByteArray(200 * 1024, ' ') + release),
            Outcome::failed, unreadable);
        row("not found", "0.1.0", FeedServer::answer(404, "gone"), Outcome::failed,
            httpError.arg(404));
        row("connection refused", "0.1.0", "closed", Outcome::failed,
            "The update server 127.0.0.1 is not taking connections; try again later.");
        row("no answer", "0.1.0", QByteArray(), Outcome::failed,
            "The update server 127.0.0.1 did not answer in time.");
    }
    void answers()
    {
        QFETCH(QString, current);
        QFETCH(QByteArray, answer);
        QFETCH(Outcome, outcome);
        QFETCH(QString, message);
        FeedServer server(answer);
        if (answer == "closed")
            server.close();
        const auto result = runCheck(server.url(), current, answer.isEmpty() ? 200ms : 5s);
        QVERIFY(result);
        QCOMPARE(result->outcome, outcome);
        QCOMPARE(result->message, message);
        if (outcome == Outcome::newerVersion) {
            QCOMPARE(result->version, QVersionNumber(0, 2, 0));
            QCOMPARE(result->url, QUrl("https://zembrak.example/releases/0.2.0"));
        }
    }

    void theWindowTellsTheOutcome()
    {
        FeedServer server(FeedServer::answer(200, release));
        Updater updater(server.url(), QVersionNumber(0, 1, 0));
        updater.checkForUpdates();
        QVERIFY(updater.dialog()->isVisible());
        QVERIFY(!updater.dialog()->isModal());
        QCOMPARE(updater.dialog()->text(), QString("Checking for updates…"));
        updater.checkForUpdates(); // still looking: not asked twice
        QTRY_COMPARE(updater.dialog()->text(), QString("Zembrak 0.2.0 is available."));
        QCOMPARE(server.requests, 1);
        QVERIFY(updater.dialog()->informativeText().contains(
            "<a href=\"https://zembrak.example/releases/0.2.0\">"));

        Updater current(server.url(), QVersionNumber(0, 2, 0));
        current.checkForUpdates();
        QTRY_COMPARE(current.dialog()->text(), QString("You're up to date."));

        FeedServer garbage(FeedServer::answer(200, "<b>not a feed</b>"));
        Updater failing(garbage.url(), QVersionNumber(0, 1, 0));
        failing.checkForUpdates();
        QTRY_COMPARE(failing.dialog()->text(), QString("Zembrak could not check for updates."));
        QCOMPARE(failing.dialog()->informativeText(),
                 QString("The update information could not be read."));
    }
};

QTEST_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
