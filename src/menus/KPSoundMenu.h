#pragma once

#include "platform/sound/Sound.h"

#include <QMenu>
#include <chrono>
#include <memory>

// The alarm sounds to choose from: none, the application's own and the system
// theme's. An item held highlighted for half a second plays its sound.
class KPSoundMenu : public QMenu
{
    Q_OBJECT

public:
    static inline const QString none = QStringLiteral("None");
    static inline const QStringList applicationSoundNames{
        QStringLiteral("Raindrops"),    QStringLiteral("Puddle"), QStringLiteral("Joy"),
        QStringLiteral("Story"),        QStringLiteral("Window"), QStringLiteral("Ice"),
        QStringLiteral("Complication"), QStringLiteral("Rick")};
    static constexpr std::chrono::milliseconds previewDelay{500};

    // Lists the sound files of `systemSoundFolder` once, now.
    explicit KPSoundMenu(const QString& systemSoundFolder = Sound::systemSoundFolder(),
                         QWidget* parent = nullptr);
    ~KPSoundMenu() override;

    // The sound an item stands for: its title as the user reads it.
    static QString soundName(const QAction* item);

    void willHighlightItem(QAction* item);
    void selectSound(QAction* item);

private:
    void addSoundItem(const QString& name);
    void previewSound(QAction* item);

    std::shared_ptr<Sound> m_preview; // kept until it has played
};
