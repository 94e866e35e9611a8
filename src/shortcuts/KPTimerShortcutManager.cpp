#include "KPTimerShortcutManager.h"

#include "KPShortcutWindow.h"
#include "platform/EnumNames.h"
#include "platform/shortcuts/GlobalShortcuts.h"
#include "platform/shortcuts/ShortcutRecorder.h"
#include "platform/store/Defaults.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QLabel>

namespace {

// What the desktop shows beside the combination where it lists shortcuts.
QString descriptionOf(const QString& key)
{
    if (key == KPTimerShortcutManager::rawValue(KPTimerShortcutManager::Key::toggleActivation))
        return KPTimerShortcutManager::tr("Start/Pause");
    if (key == KPTimerShortcutManager::rawValue(KPTimerShortcutManager::Key::reset))
        return KPTimerShortcutManager::tr("Reset");
    return key;
}

} // namespace

QString KPTimerShortcutManager::rawValue(Key key)
{
    return EnumNames::nameOf(key);
}

std::optional<KPTimerShortcutManager::Key>
KPTimerShortcutManager::keyFromRawValue(const QString& rawValue)
{
    return EnumNames::fromName<Key>(rawValue);
}

std::optional<qint64> KPTimerShortcutManager::presetSeconds(const QString& key)
{
    const qsizetype digitsFrom =
        key.startsWith(QLatin1Char('+')) || key.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (key.size() == digitsFrom)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < key.size(); ++i)
        if (key[i] < QLatin1Char('0') || key[i] > QLatin1Char('9'))
            return std::nullopt; // no spaces, no other scripts' digits
    bool inRange = false;
    const qint64 seconds = key.toLongLong(&inRange, 10);
    return inRange ? std::optional(seconds) : std::nullopt;
}

KPTimerShortcutManager::KPTimerShortcutManager(KPTimer* timer,
                                               std::unique_ptr<KPShortcutWindow> window)
    : m_timer(timer), m_window(std::move(window))
{}

KPTimerShortcutManager::~KPTimerShortcutManager() = default;

void KPTimerShortcutManager::loadStrings()
{
    // A list holding anything but strings is left alone; the next recording replaces it.
    if (const std::optional<QStringList> stored =
            Defaults::standard().stringArray(PreferenceKeys::shortcutStrings))
        m_strings = *stored;
}

void KPTimerShortcutManager::bindStoredShortcuts()
{
    for (const QString& key : std::as_const(m_strings))
        bind(key);
}

void KPTimerShortcutManager::bind(const QString& key)
{
    if (GlobalShortcuts* shortcuts = GlobalShortcuts::shared())
        shortcuts->bind(key, descriptionOf(key), this, [this, key] { handleShortcut(key); });
}

void KPTimerShortcutManager::recordShortcut(const QString& key, const QString& title)
{
    if (!m_strings.contains(key)) {
        m_strings.append(key);
        bind(key);
        Defaults::standard().setStringArray(PreferenceKeys::shortcutStrings, m_strings);
    }
    if (!m_window)
        return;
    m_window->setWindowTitle(title);
    m_window->titleLabel()->setText(title);
    m_window->shortcutView()->setAssociatedDefaultsKey(key);
    m_window->makeKeyAndOrderFront();
}

void KPTimerShortcutManager::handleShortcut(const QString& key)
{
    if (!m_timer)
        return;
    if (const std::optional<Key> action = keyFromRawValue(key)) {
        switch (*action) {
        case Key::toggleActivation:
            m_timer->toggle();
            break;
        case Key::reset:
            m_timer->reset();
            break;
        case Key::startStopwatch:
            m_timer->setTime(KPTime{}, KPTimer::CountType::up);
            break;
        case Key::shortcutStrings:
            break;
        }
        return;
    }
    // A countdown of no time would end at once and count as a finished period.
    const std::optional<qint64> seconds = presetSeconds(key);
    if (!seconds || *seconds <= 0 || *seconds > KPTime::maximumTotalSeconds)
        return;
    m_timer->setTime(KPTime::fromTotalSeconds(*seconds), KPTimer::CountType::down);
}
