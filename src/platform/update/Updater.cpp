#include "Updater.h"

#include "UpdateCheck.h"
#include "UpdateDialog.h"

QUrl Updater::releaseFeedURL()
{
    return QUrl(QStringLiteral(ZEMBRAK_RELEASE_FEED_URL));
}

QVersionNumber Updater::currentVersion()
{
    return QVersionNumber::fromString(QStringLiteral(ZEMBRAK_VERSION));
}

Updater::Updater(const QUrl& feed, const QVersionNumber& version, QObject* parent)
    : QObject(parent), m_feed(feed), m_version(version)
{}

Updater::~Updater() = default;

void Updater::checkForUpdates()
{
    // Made at the first check: most runs never ask, and the network and the
    // window are not worth their memory for the whole day.
    if (!m_check) {
        m_check = std::make_unique<UpdateCheck>(m_feed, m_version);
        m_dialog = std::make_unique<UpdateDialog>();
        connect(
            m_check.get(), &UpdateCheck::finished, this,
            [this](const UpdateCheck::Result& result) { m_dialog->showResult(result, m_version); });
    }
    if (m_check->isRunning()) {
        m_dialog->raise();
        return;
    }
    m_dialog->showChecking();
    m_check->start();
}
