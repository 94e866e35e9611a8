#include "KPSoundMenu.h"

#include "platform/RunLoop.h"
#include "windows/AppDelegateInterface.h"

#include <QPointer>

KPSoundMenu::KPSoundMenu(const QString& systemSoundFolder, QWidget* parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("KPSoundMenu"));
    setTitle(tr("Sound Menu"));
    addSoundItem(none);
    addSeparator();
    for (const QString& name : applicationSoundNames)
        addSoundItem(name);
    addSeparator();
    for (const QString& name : Sound::systemSoundNames(systemSoundFolder)) {
        if (!name.contains(QLatin1Char(' ')))
            addSoundItem(name);
    }
    connect(this, &QMenu::hovered, this, &KPSoundMenu::willHighlightItem);
    connect(this, &QMenu::triggered, this, &KPSoundMenu::selectSound);
}

KPSoundMenu::~KPSoundMenu() = default;

void KPSoundMenu::addSoundItem(const QString& name)
{
    // A '&' in a file name is a character, not a keyboard mnemonic.
    // Only "None" is a word; the others name sound files and stay as they are.
    QAction* item = addAction(
        name == none ? tr("None") : QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
    item->setData(name);
    item->setCheckable(true);
}

QString KPSoundMenu::soundName(const QAction* item)
{
    return item->data().toString();
}

void KPSoundMenu::willHighlightItem(QAction* item)
{
    if (!item || item->isSeparator() || soundName(item) == none)
        return;
    QPointer<QAction> highlighted(item);
    RunLoop::main().postAfter(previewDelay, this, [this, highlighted] {
        if (highlighted)
            previewSound(highlighted);
    });
}

void KPSoundMenu::previewSound(QAction* item)
{
    if (!isVisible() || activeAction() != item)
        return;
    m_preview = Sound::named(soundName(item));
    if (m_preview)
        m_preview->play();
}

void KPSoundMenu::selectSound(QAction* item)
{
    if (AppDelegateInterface* application = AppDelegateInterface::current())
        application->didSelectSound(soundName(item));
}
