#include "FakeSound.h"
#include "JsonFuzz.h"
#include "ManualGlobalShortcuts.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "shortcuts/KPShortcutWindow.h"
#include "shortcuts/KPTimerShortcutManager.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace std::chrono_literals;
using Key = KPTimerShortcutManager::Key;

namespace {

const QStringList actionKeys = {"toggleActivation", "reset", "startStopwatch", "shortcutStrings"};
// Preset keys at the edges of 64 bits and of the longest time, signed, padded,
// spaced, in other scripts' digits and other notations.
const QStringList oddKeys =
    QStringLiteral(u"9223372036854775807|9223372036854775808|-9223372036854775809|35999999|"
                   u"36000000|0|-0|+1|-1|0000000000000000000300||+-3| 300|60\n|\u0663\u0660|"
                   u"\u0000300|toggle\u200bActivation|TOGGLEACTIVATION|\U0001F600|3e2|0x12")
        .split('|');
const QStringList combinations =
    QStringLiteral(u"Ctrl+Alt+P|Meta+F5|Media Play|Ctrl+Alt+Shift+Meta+F35||+|Ctrl++|"
                   u"Ctrl+Alt+P, Ctrl+X|ctrl+alt+p|Strg+P|Ctrl+\U0001F600|Ctrl+\u0000|Meta|"
                   u"F36|Ctrl+F99999999999999999999|Ctrl+Alt+\u00dc")
        .split('|');

// A stored list of shortcut keys, most of them odd, with combinations under
// some: values of the wrong type, texts mutated, now and then a long list.
QByteArray storedFile(JsonFuzz& fuzz)
{
    const auto pick = [&fuzz](const QStringList& list) {
        return list[fuzz.below(int(list.size()))];
    };
    const auto odd = [&fuzz](const QString& text) {
        return fuzz.below(3) ? text : QString::fromUtf8(fuzz.mutated(text.toUtf8()));
    };
    QJsonArray keys;
    for (int n = fuzz.below(10) == 0 ? 300 : fuzz.below(9); n > 0; --n)
        keys.append(odd(fuzz.below(2) ? pick(actionKeys) : pick(oddKeys)));
    if (fuzz.below(6) == 0) // a value that is no string
        keys.insert(fuzz.below(int(keys.size()) + 1), QJsonValue(fuzz.below(1000)));
    QJsonObject stored{{PreferenceKeys::shortcutStrings, keys}};
    for (const QJsonValue& key : keys)
        if (fuzz.below(5) != 0)
            stored.insert(key.isString() ? key.toString() : QString::number(key.toInteger()),
                          odd(pick(combinations)));
    return QJsonDocument(stored).toJson(QJsonDocument::Compact);
}

// The list as the manager must take it: only an array of strings.
QStringList expectedStrings(const QByteArray& file)
{
    QStringList strings;
    for (const QJsonValue& item :
         QJsonDocument::fromJson(file)[PreferenceKeys::shortcutStrings].toArray()) {
        if (!item.isString())
            return {};
        strings << item.toString();
    }
    return strings;
}

} // namespace

// Whatever the stored list and combinations are, launching binds exactly the
// listed keys of a list of strings, each to its readable combination or none,
// and every listed shortcut runs its action, counts down its preset, or does
// nothing.
class ShortcutStringsFuzzTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void anyStoredShortcutsLaunchSoundly()
    {
        const quint32 seed = qEnvironmentVariableIsSet("ZEMBRAK_FUZZ_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("ZEMBRAK_FUZZ_SEED"))
                                 : 20261207;
        JsonFuzz fuzz(seed, {}, {});
        FakeSounds sounds;
        QHash<QString, int> outcomes;
        for (int input = 0; input < 1000 && !QTest::currentTestFailed(); ++input) {
            const QByteArray file = storedFile(fuzz);
            const QByteArray context = "input " + QByteArray::number(input) + ": " + file.left(160);
            m_home.reset();
            m_home.writeStandardFile(file);
            ManualRunLoop loop;
            ManualGlobalShortcuts desktop(Defaults::standard());
            const std::unique_ptr<KPTimer> timer = KPTimer::fromSeconds(1500);
            KPTimerShortcutManager manager(timer.get(), nullptr);
            manager.loadStrings();
            manager.bindStoredShortcuts();
            const QStringList expected = expectedStrings(file);
            QVERIFY2(manager.strings() == expected, context);
            for (const QString& key : actionKeys + expected) {
                QVERIFY2(desktop.isBound(key) == expected.contains(key), context);
                const QString stored = Defaults::standard().string(key).value_or(QString());
                const QKeySequence shortcut = desktop.shortcut(key);
                QVERIFY2(!desktop.isBound(key) ||
                             shortcut == GlobalShortcuts::fromStoredText(stored),
                         context);
                QVERIFY2(shortcut.count() <= 1, context);
            }
            for (const QString& key : expected.mid(0, 16))
                ++outcomes[handled(key, loop)];
        }
        qInfo() << "shortcut strings fuzz, seed" << seed << outcomes;
        // The generator reaches every outcome, and none is wrong.
        for (const char* outcome : {"action", "preset", "nothing"})
            QVERIFY2(outcomes.value(outcome) > 100, outcome);
        QCOMPARE(outcomes.value("wrong"), 0);
    }

private:
    // Runs one listed shortcut on a fresh 0:25:00 countdown and names what it did.
    static QString handled(const QString& key, ManualRunLoop& loop)
    {
        const std::unique_ptr<KPTimer> timer = KPTimer::fromSeconds(1500);
        KPTimerShortcutManager manager(timer.get(), nullptr);
        manager.handleShortcut(key);
        const std::optional<Key> action = KPTimerShortcutManager::keyFromRawValue(key);
        const qint64 preset = KPTimerShortcutManager::presetSeconds(key).value_or(0);
        const bool up = timer->countType() == KPTimer::CountType::up;
        const bool active = timer->state() == KPTimer::State::active;
        if (action && *action != Key::shortcutStrings)
            return up == (*action == Key::startStopwatch) && active == (*action != Key::reset)
                       ? "action"
                       : "wrong";
        if (!action && preset > 0 && preset <= KPTime::maximumTotalSeconds) {
            loop.advance(1s);
            return active && !up && timer->time().totalSeconds() == preset &&
                           timer->currentTime().totalSeconds() == preset - 1
                       ? "preset"
                       : "wrong";
        }
        return !active && timer->currentTime() == KPTime{0, 25, 0} ? "nothing" : "wrong";
    }
};

QTEST_GUILESS_MAIN(ShortcutStringsFuzzTest)
#include "ShortcutStringsFuzzTest.moc"
