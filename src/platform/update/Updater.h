#pragma once

#include <QObject>
#include <QUrl>
#include <QVersionNumber>
#include <memory>

class UpdateCheck;
class UpdateDialog;

// "Check for Updates": asks the release feed for the latest version and shows
// the answer in a small window, never blocking the run loop.
class Updater : public QObject
{
    Q_OBJECT

public:
    // The feed set when the program was built, and the program's own version.
    static QUrl releaseFeedURL();
    static QVersionNumber currentVersion();

    explicit Updater(const QUrl& feed = releaseFeedURL(),
                     const QVersionNumber& version = currentVersion(), QObject* parent = nullptr);
    ~Updater() override;

    // None until the first check.
    UpdateCheck* check() const { return m_check.get(); }
    UpdateDialog* dialog() const { return m_dialog.get(); }

    // Shows the window at once; while a check runs another is not started.
    void checkForUpdates();

private:
    QUrl m_feed;
    QVersionNumber m_version;
    std::unique_ptr<UpdateCheck> m_check;
    std::unique_ptr<UpdateDialog> m_dialog;
};
