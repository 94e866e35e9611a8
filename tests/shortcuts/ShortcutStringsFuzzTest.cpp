#include "FakeSound.h"
#include "JsonFuzz.h"
#include "TemporaryStore.h"
#include "platform/ManualGlobalShortcuts.h"
#include "platform/ManualRunLoop.h"
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
using CountType = KPTimer::CountType;
using State = KPTimer::State;

namespace {

const QStringList actionKeys = {"toggleActivation", "reset", "startStopwatch", "shortcutStrings"};
// Lists written as one text, split at '|'.
const QStringList goodCombinations =
    QStringLiteral(u"Ctrl+Alt+P|Meta+F5|Shift+F12|Ctrl+Alt+3|Media Play|Ctrl+Alt+Shift+Meta+F35|F1")
        .split('|');
// Preset keys at and past the edges of 64 bits, signed and padded.
const QStringList edgeNumbers =
    QStringLiteral(u"9223372036854775807|9223372036854775808|-9223372036854775808|"
                   u"-9223372036854775809|18446744073709551615|18446744073709551616|"
                   u"+9223372036854775807|0|-0|+0|1|-1|00000000000000000000000000000300")
        .split('|');
// Signs, spaces, other scripts' digits, a NUL, a zero-width space, other notations.
const QStringList oddKeys =
    QStringLiteral(u"|+|-|+-3| 300|300 |\t60|60\n|3\u00a000|\u200390|\u0663\u0660\u0660|"
                   u"\uff13\uff10\uff10|300\u0301|\u0000300|300\u0000|toggle\u200bActivation|"
                   u"TOGGLEACTIVATION|\U0001F600|3e2|0x12|30.5")
        .split('|');
const QStringList oddCombinations =
    QStringLiteral(u"|+|++|Ctrl+|+P|Ctrl++|,|Ctrl+Alt+P,|Ctrl+Alt+P, Ctrl+X|ctrl+alt+p|Ctrl + P|"
                   u"Strg+P|Ctrl+Ctrl+P|Ctrl+\u00e9|Ctrl+\U0001F600|Ctrl+\u0000|Meta|Shift|"
                   u"Ctrl+Shift|F36|F0|Ctrl+F99999999999999999999|Ctrl+0x50|"
                   u"Ctrl+Alt+P, Ctrl+X, Ctrl+Y, Ctrl+Z, Ctrl+W|Ctrl+Alt+\u00dc")
        .split('|');

// Stored shortcut lists and combinations, most of them odd: values of the
// wrong type, keys that are almost actions or almost numbers, text in other
// scripts, and now and then a list or a string far longer than any user's.
class ShortcutFuzz
{
public:
    explicit ShortcutFuzz(quint32 seed)
        : m_json(seed, QByteArrayList{"toggleActivation", "300", "shortcutStrings", ""},
                 {{"toggleActivation", "\"Ctrl+Alt+P\""}})
    {}

    int below(int n) { return m_json.below(n); }
    template <class List> auto pick(const List& list) { return list[below(int(list.size()))]; }

    QString key()
    {
        switch (below(7)) {
        case 0:
            return pick(actionKeys);
        case 1:
            return pick(edgeNumbers);
        case 2:
            return pick(oddKeys);
        case 3:
            return QString::fromUtf8(m_json.mutated(pick(actionKeys + edgeNumbers).toUtf8()));
        case 4:
            return below(20) == 0 ? QString(100000, QChar('9')) : text(1 + below(12));
        default:
            return QString::number(qint64(m_json.below(1 << 30)) * (below(2) ? 1 : -1000000));
        }
    }

    QJsonValue combination()
    {
        switch (below(6)) {
        case 0:
        case 1:
            return pick(goodCombinations);
        case 2:
            return QString::fromUtf8(m_json.mutated(pick(goodCombinations).toUtf8()));
        case 3:
            return pick(oddCombinations);
        case 4:
            return below(10) == 0 ? text(100000) : QString::fromLatin1(m_json.bytes());
        default:
            return jsonValue();
        }
    }

    // A store with a list, combinations under some of its keys and the actions'.
    QByteArray file()
    {
        QJsonArray keys;
        for (int n = below(10) == 0 ? 3000 : below(9); n > 0; --n)
            keys.append(key());
        if (below(6) == 0)
            keys.insert(below(int(keys.size()) + 1), jsonValue());
        QJsonObject stored;
        if (below(10) != 0)
            stored.insert(PreferenceKeys::shortcutStrings,
                          below(10) == 0 ? jsonValue() : QJsonValue(keys));
        for (qsizetype i = 0; i < keys.size() && i < 64; ++i)
            if (keys[i].isString() && below(5) != 0)
                stored.insert(keys[i].toString(), combination());
        for (const QString& action : actionKeys)
            if (action != PreferenceKeys::shortcutStrings && below(3) == 0)
                stored.insert(action, combination());
        return QJsonDocument(stored).toJson(QJsonDocument::Compact);
    }

private:
    // Code points from every plane, surrogates and controls among them.
    QString text(int length)
    {
        QString result;
        for (int n = 0; n < length; ++n) {
            const char32_t c =
                below(4) == 0 ? char32_t(m_json.below(0x110000)) : char32_t(0x20 + below(0x2fe0));
            result += (c >= 0xd800 && c < 0xe000) ? QString(QChar(char16_t(c)))
                                                  : QString::fromUcs4(&c, 1);
        }
        return result;
    }
    QJsonValue jsonValue()
    {
        const QJsonArray wrapped =
            QJsonDocument::fromJson('[' + m_json.value(below(3)) + ']').array();
        return wrapped.isEmpty() ? QJsonValue(qint64(below(1000))) : wrapped.first();
    }

    JsonFuzz m_json;
};

quint32 seed()
{
    return qEnvironmentVariableIsSet("ZEMBRAK_FUZZ_SEED")
               ? quint32(qEnvironmentVariableIntValue("ZEMBRAK_FUZZ_SEED"))
               : 20261207;
}

// The list as the manager must take it: only an array of strings.
QStringList expectedStrings(const QByteArray& file)
{
    QStringList strings;
    const QJsonObject stored = QJsonDocument::fromJson(file).object();
    for (const QJsonValue& item : stored.value(PreferenceKeys::shortcutStrings).toArray()) {
        if (!item.isString())
            return {};
        strings << item.toString();
    }
    return strings;
}

} // namespace

// Whatever lies under "shortcutStrings" and the keys it lists, launching binds
// exactly the listed keys of a list of strings, each to its readable
// combination or to none, and every listed shortcut runs its action, counts
// down its preset, or does nothing; no input crashes or throws anything away.
class ShortcutStringsFuzzTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void anyStoredShortcutsLaunchSoundly()
    {
        ShortcutFuzz fuzz(seed());
        FakeSounds sounds;
        QHash<QString, int> outcomes;
        for (int input = 0; input < 2000; ++input) {
            const QByteArray file = fuzz.file();
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
            for (const QString& key : actionKeys)
                QVERIFY2(desktop.isBound(key) == expected.contains(key), context);
            int handled = 0;
            for (const QString& key : expected) {
                QVERIFY2(desktop.isBound(key), context);
                const QKeySequence shortcut = desktop.shortcut(key);
                const QString stored = Defaults::standard().string(key).value_or(QString());
                QVERIFY2(shortcut == GlobalShortcuts::fromStoredText(stored), context);
                QVERIFY2(shortcut.count() <= 1, context);
                ++outcomes[shortcut.isEmpty() ? "no combination" : "combination"];
                if (++handled <= 64)
                    checkHandling(key, outcomes, loop, context + " key " + key.left(40).toUtf8());
                if (QTest::currentTestFailed())
                    return;
            }
            // Now and then a recording adds its key to whatever was there, and stores the list.
            if (input % 10 == 0) {
                const QString added = fuzz.key();
                manager.recordShortcut(added, QStringLiteral("Fuzz"));
                const QStringList after =
                    expected.contains(added) ? expected : expected + QStringList{added};
                QVERIFY2(Defaults().stringArray(PreferenceKeys::shortcutStrings) == after, context);
                QVERIFY2(desktop.isBound(added), context);
            }
        }
        qInfo() << "shortcut strings fuzz, seed" << seed() << outcomes;
        // The generator reaches every outcome.
        for (const char* outcome : {"combination", "no combination", "action", "preset", "nothing"})
            QVERIFY2(outcomes.value(outcome) > 100, outcome);
    }

    // Random text read as a stored combination: never more than one key, and
    // what it reads as survives being stored.
    void anyCombinationTextReadsAsOneKeyOrNone()
    {
        ShortcutFuzz fuzz(seed() + 1);
        int readable = 0;
        for (int n = 0; n < 20000; ++n) {
            const QString text = fuzz.combination().toString();
            const QKeySequence read = GlobalShortcuts::fromStoredText(text);
            if (read.isEmpty())
                continue;
            ++readable;
            QVERIFY2(read.count() == 1, qPrintable(text.left(80)));
            QCOMPARE(GlobalShortcuts::fromStoredText(GlobalShortcuts::toStoredText(read)), read);
        }
        QVERIFY(readable > 2000);
    }

private:
    // Runs one listed shortcut and checks what it did to a fresh 0:25:00 countdown.
    static void checkHandling(const QString& key, QHash<QString, int>& outcomes,
                              ManualRunLoop& loop, const QByteArray& context)
    {
        const std::unique_ptr<KPTimer> timer = KPTimer::fromSeconds(1500);
        KPTimerShortcutManager manager(timer.get(), nullptr);
        manager.handleShortcut(key);
        const std::optional<Key> action = KPTimerShortcutManager::keyFromRawValue(key);
        const std::optional<qint64> preset = KPTimerShortcutManager::presetSeconds(key);
        if (action && *action != Key::shortcutStrings) {
            ++outcomes["action"];
            const bool stopwatch = *action == Key::startStopwatch;
            QVERIFY2(timer->countType() == (stopwatch ? CountType::up : CountType::down), context);
            QVERIFY2(timer->state() == (*action == Key::reset ? State::inactive : State::active),
                     context);
        } else if (!action && preset && *preset > 0 && *preset <= KPTime::maximumTotalSeconds) {
            ++outcomes["preset"];
            QVERIFY2(timer->time().totalSeconds() == *preset, context);
            QVERIFY2(timer->state() == State::active && timer->countType() == CountType::down,
                     context);
            loop.advance(1s);
            QVERIFY2(timer->currentTime().totalSeconds() == *preset - 1, context);
        } else {
            ++outcomes["nothing"];
            QVERIFY2(timer->state() == State::inactive &&
                         timer->currentTime() == (KPTime{0, 25, 0}),
                     context);
        }
    }
};

QTEST_GUILESS_MAIN(ShortcutStringsFuzzTest)
#include "ShortcutStringsFuzzTest.moc"
