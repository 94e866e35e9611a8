#include "platform/update/UpdateCheck.h"

#include <QCoreApplication>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using Outcome = UpdateCheck::Result::Outcome;

namespace {

const int nothingListens = 0;

// A feed document; the version is written as JSON as it stands ("\"0.2.0\"", "2").
QByteArray feed(const QByteArray& version, const QByteArray& url = "https://z.example/0.2.0")
{
    return "{\"version\": " + version + ", \"url\": \"" + url + "\"}";
}

} // namespace

// The release feed's answers, from an HTTP server on 127.0.0.1: only a
// well-formed, small feed naming a web page is believed.
class UpdaterTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }

    void answers_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("status"); // of the HTTP answer
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* current, int status,
                            const QByteArray& body, Outcome outcome,
                            const QString& message = QString()) {
            QTest::newRow(name) << QString(current) << status << body << outcome << message;
        };
        const QByteArray release = feed("\"0.2.0\"");
        const QString unreadable = "The update information could not be read.";
        row("newer", "0.1.0", 200, release, Outcome::newerVersion);
        row("numeric, not textual", "0.10.0", 200, feed("\"0.9.0\""), Outcome::upToDate);
        row("malformed JSON", "0.1.0", 200, release.left(20), Outcome::failed, unreadable);
        row("no web page", "0.1.0", 200, feed("\"0.2.0\"", "file:///etc/passwd"), Outcome::failed,
            unreadable);
        row("connection refused", "0.1.0", nothingListens, "", Outcome::failed,
            "The update server 127.0.0.1 is not taking connections; try again later.");
    }
    void answers()
    {
        QFETCH(QString, current);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(Outcome, outcome);
        QFETCH(QString, message);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QByteArray request;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            QTcpSocket* socket = server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
                request += socket->readAll();
                if (!request.contains("\r\n\r\n"))
                    return;
                socket->write("HTTP/1.1 " + QByteArray::number(status) +
                              " Status\r\nContent-Type: application/json\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
                              body);
                socket->disconnectFromHost();
            });
        });
        const quint16 port = server.serverPort();
        if (status == nothingListens)
            server.close();

        UpdateCheck check(QUrl(QStringLiteral("http://127.0.0.1:%1/feed.json").arg(port)),
                          QVersionNumber::fromString(current));
        std::optional<UpdateCheck::Result> result;
        connect(&check, &UpdateCheck::finished, this,
                [&result](const UpdateCheck::Result& r) { result = r; });
        check.start();
        QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000);
        QCOMPARE(result->outcome, outcome);
        QCOMPARE(result->message, message);
        if (outcome == Outcome::newerVersion)
            QCOMPARE(result->url, QUrl("https://z.example/0.2.0"));
    }
};

QTEST_GUILESS_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
