#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QString>

// An X server of the test's own (Xvfb), so tests never touch the user's
// display. display() is empty when Xvfb is missing or did not start.
class PrivateXServer
{
public:
    static inline const QString xvfb = QStringLiteral("/usr/bin/Xvfb");
    static inline const QString xdotool = QStringLiteral("/usr/bin/xdotool");

    PrivateXServer()
    {
        if (!QFileInfo(xvfb).isExecutable())
            return;
        // Xvfb picks a free display itself and writes its number to the fd given.
        m_process.start(xvfb, QStringLiteral("-displayfd 1 -screen 0 640x480x24 -nolisten tcp")
                                  .split(QLatin1Char(' ')));
        if (!m_process.waitForStarted(5000))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        const QString number = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        if (!number.isEmpty())
            m_display = QLatin1Char(':') + number;
    }
    ~PrivateXServer()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    QString display() const { return m_display; }

    // Presses keys on this server as a user would ("ctrl+alt+p", several separated
    // by spaces); true when xdotool did.
    bool press(const QString& keys) const
    {
        qputenv("DISPLAY", m_display.toLocal8Bit()); // the test's own display from now on
        return QProcess::execute(xdotool, QStringList{QStringLiteral("key")} +
                                              keys.split(QLatin1Char(' '))) == 0;
    }

private:
    QProcess m_process;
    QString m_display;
};
