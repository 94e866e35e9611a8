#pragma once

#include "timing/KPTimer.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

class KPShortcutWindow;

// Keeps the list of actions that have global shortcuts, binds each of them,
// runs the action when its shortcut is pressed, and opens the recording
// window for an action. The list lives under "shortcutStrings" in the store;
// each action's combination under its own key.
class KPTimerShortcutManager : public QObject
{
    Q_OBJECT

public:
    enum class Key
    {
        toggleActivation,
        reset,
        startStopwatch,
        shortcutStrings
    };
    Q_ENUM(Key)
    static QString rawValue(Key key);
    static std::optional<Key> keyFromRawValue(const QString& rawValue);
    // A key written as a whole number of seconds ("300", "+90"): optional sign,
    // digits only, within 64 bits. Nothing for anything else.
    static std::optional<qint64> presetSeconds(const QString& key);

    // The timer may go before the manager: its actions then do nothing.
    KPTimerShortcutManager(KPTimer* timer, std::unique_ptr<KPShortcutWindow> window);
    ~KPTimerShortcutManager() override;

    KPTimer* timer() const { return m_timer; }
    KPShortcutWindow* window() const { return m_window.get(); }
    QStringList strings() const { return m_strings; }

    void loadStrings();
    void bindStoredShortcuts();
    void recordShortcut(const QString& key, const QString& title);
    void handleShortcut(const QString& key);

private:
    void bind(const QString& key);

    const QPointer<KPTimer> m_timer;
    const std::unique_ptr<KPShortcutWindow> m_window;
    QStringList m_strings;
};
