#include "platform/LoginItem.h"
#include "TemporaryStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

const QString identifier = QStringLiteral("org.zembrak.Zembrak.autostart");
const QString validator = QStringLiteral("/usr/bin/desktop-file-validate");

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString execLine(const QString& entry)
{
    for (const QString& line : entry.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Exec=")))
            return line.mid(5);
    }
    return QString();
}

// What desktop-file-validate says of the file, empty when it is clean.
QString validation(const QString& path)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(validator, {path});
    if (!process.waitForFinished(10000))
        return QStringLiteral("desktop-file-validate did not finish");
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return process.exitCode() == 0 ? output : QStringLiteral("failed: ") + output;
}

} // namespace

class LoginItemTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;

    QString entryPath() const { return m_home.path() + "/autostart/" + identifier + ".desktop"; }

private Q_SLOTS:
    void init() { m_home.reset(); }

    void enablingWritesAValidEntryAndDisablingRemovesIt()
    {
        QCOMPARE(LoginItem::entryPath(identifier), entryPath());
        QVERIFY(LoginItem::setEnabled(identifier, true));
        const QString entry = readFile(entryPath());
        QCOMPARE(execLine(entry), '"' + QCoreApplication::applicationFilePath() + '"');
        QVERIFY(entry.contains("\nType=Application\n"));
        QVERIFY(entry.contains("\nX-GNOME-Autostart-enabled=true\n"));
        if (QFile::exists(validator))
            QCOMPARE(validation(entryPath()), QString());

        QVERIFY(LoginItem::setEnabled(identifier, true)); // again, over the old one
        QVERIFY(LoginItem::setEnabled(identifier, false));
        QVERIFY(!QFile::exists(entryPath()));
        QVERIFY(LoginItem::setEnabled(identifier, false)); // nothing to remove is fine
    }

    void anUnwritableFolderIsReported()
    {
        // A file where the folder belongs stops even root, unlike permissions.
        TemporaryStore::writeFile(m_home.path() + "/autostart", "not a folder");
        QVERIFY(!LoginItem::setEnabled(identifier, true));
        QVERIFY(LoginItem::setEnabled(identifier, false));
    }

    void execQuotesThePath_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("exec");
        const auto row = [](const char* name, const char* executable, const char* exec) {
            QTest::newRow(name) << QString(executable) << QString(exec);
        };
        row("space", "/home/a b/zembrak", R"("/home/a b/zembrak")");
        row("quote and dollar", R"(/x/"q"$y/zembrak)", R"("/x/\\"q\\"\\$y/zembrak")");
        row("backslash", R"(/x\y/zembrak)", R"("/x\\\\y/zembrak")");
        row("backtick", "/x`y/zembrak", R"("/x\\`y/zembrak")");
        row("percent", "/100%/zembrak", R"("/100%%/zembrak")");
        row("non-ASCII", "/home/zoë/zembrak", R"("/home/zoë/zembrak")");
    }
    void execQuotesThePath()
    {
        QFETCH(QString, executable);
        QFETCH(QString, exec);
        const QString entry = LoginItem::desktopEntry(executable);
        QCOMPARE(execLine(entry), exec);
        if (!QFile::exists(validator))
            QSKIP("desktop-file-validate is not installed");
        const QString path = m_home.path() + "/entry.desktop";
        TemporaryStore::writeFile(path, entry.toUtf8());
        QCOMPARE(validation(path), QString());
    }
};

QTEST_GUILESS_MAIN(LoginItemTest)
#include "LoginItemTest.moc"
