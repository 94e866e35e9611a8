#include "UpdateDialog.h"

UpdateDialog::UpdateDialog(QWidget* parent) : QMessageBox(parent)
{
    setObjectName(QStringLiteral("UpdateDialog"));
    setWindowTitle(tr("Software Update"));
    setStandardButtons(QMessageBox::Close);
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    // A window of its own: the check never holds up the timer or the tray.
    setWindowModality(Qt::NonModal);
}

void UpdateDialog::showChecking()
{
    setIcon(QMessageBox::NoIcon);
    setText(tr("Checking for updates…"));
    setInformativeText(QString());
    show();
    raise();
    activateWindow();
}

void UpdateDialog::showResult(const UpdateCheck::Result& result,
                              const QVersionNumber& currentVersion)
{
    using Outcome = UpdateCheck::Result::Outcome;
    switch (result.outcome) {
    case Outcome::upToDate:
        setIcon(QMessageBox::Information);
        setText(tr("You're up to date."));
        setInformativeText(tr("Zembrak %1 is the newest version.").arg(currentVersion.toString()));
        break;
    case Outcome::newerVersion: {
        const QString url = result.url.toString(QUrl::FullyEncoded).toHtmlEscaped();
        setIcon(QMessageBox::Information);
        setText(tr("Zembrak %1 is available.").arg(result.version.toString()));
        setInformativeText(tr("You have %1. <a href=\"%2\">Download the new version</a>.")
                               .arg(currentVersion.toString(), url));
        break;
    }
    case Outcome::failed:
        setIcon(QMessageBox::Warning);
        setText(tr("Zembrak could not check for updates."));
        setInformativeText(result.message.toHtmlEscaped());
        break;
    }
    show();
}
