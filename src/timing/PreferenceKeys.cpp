#include "PreferenceKeys.h"

#include "platform/store/Defaults.h"

qint64 PreferenceKeys::integerDefault(const QString& key)
{
    if (key == workLength)
        return defaultWorkLength;
    if (key == shortBreakLength)
        return defaultShortBreakLength;
    if (key == longBreakLength)
        return defaultLongBreakLength;
    if (key == longBreakInterval)
        return defaultLongBreakInterval;
    return 0;
}

bool PreferenceKeys::booleanDefault(const QString& key)
{
    return key == isShowingSeconds || key == isShowingCycleCount || key == isNotifyingAtPeriodEnd ||
           key == isStartingBreaksAutomatically || key == isStartingWorkAutomatically;
}

qint64 PreferenceKeys::integer(const Defaults& store, const QString& key)
{
    const std::optional<qint64> value = store.integer(key);
    if (key == idlePromptMinutes && value && (*value < 0 || *value > longestIdlePromptMinutes))
        return integerDefault(key);
    if (key == dailyGoal && value && (*value < 0 || *value > largestDailyGoal))
        return integerDefault(key);
    return value.value_or(integerDefault(key));
}

bool PreferenceKeys::boolean(const Defaults& store, const QString& key)
{
    return store.boolean(key).value_or(booleanDefault(key));
}

QString PreferenceKeys::string(const Defaults& store, const QString& key)
{
    if (key == soundName)
        return store.string(key).value_or(defaultSoundName);
    return store.string(key).value_or(QString());
}

QStringList PreferenceKeys::stringList(const Defaults& store, const QString& key)
{
    return store.stringArray(key).value_or(QStringList());
}
