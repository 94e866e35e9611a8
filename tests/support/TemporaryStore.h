#pragma once

#include "platform/store/Defaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// A config home of the test's own, so Defaults never touch the user's files.
class TemporaryStore
{
public:
    // Empties the folder, points XDG_CONFIG_HOME at it and drops the open
    // standard store, so that its next use starts from nothing.
    void reset()
    {
        // An invalid folder has an empty path: never empty the working directory.
        QVERIFY(m_home.isValid());
        QDir(m_home.path()).removeRecursively();
        QDir().mkpath(m_home.path());
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
        Defaults::resetStandard();
    }

    QString path() const { return m_home.path(); }
    QString standardFilePath() const { return path() + QStringLiteral("/zembrak/defaults.json"); }

    // Puts raw bytes where the standard store keeps its file; its next use reads them.
    void writeStandardFile(const QByteArray& bytes) const
    {
        Defaults::resetStandard();
        writeFile(standardFilePath(), bytes);
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir m_home;
};
