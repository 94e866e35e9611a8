#include "FakeSound.h"
#include "JsonFuzz.h"
#include "TemporaryStore.h"
#include "platform/KeySymbols.h"
#include "platform/ManualGlobalShortcuts.h"
#include "platform/ManualRunLoop.h"
#include "shortcuts/KPShortcutWindow.h"
#include "shortcuts/KPTimerShortcutManager.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
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

    // A huge list is made of keys of everyday length.
    QString key(bool mayBeLong = true)
    {
        switch (below(mayBeLong ? 10 : 6)) {
        case 0:
            return actionKeys[below(int(actionKeys.size()))];
        case 1: {
            QString digits = QStringList{"", "+", "-"}[below(3)];
            for (int n = 1 + below(25); n > 0; --n)
                digits += QChar('0' + below(10));
            return digits;
        }
        case 2:
            return edgeNumbers[below(int(edgeNumbers.size()))];
        case 3:
            return oddKeys[below(int(oddKeys.size()))];
        case 4:
            return QString::fromUtf8(
                m_json.mutated(actionKeys[below(int(actionKeys.size()))].toUtf8()));
        case 5:
            return QString::fromUtf8(m_json.mutated(edgeNumbers[below(3)].toUtf8()));
        case 6:
            return below(20) == 0 ? QString(100000 + below(1000), QChar('9'))
                                  : actionKeys[0].repeated(1 + below(200));
        case 7:
            return text(1 + below(12));
        default:
            return QString::number(qint64(m_json.below(1 << 26)) * (below(2) ? 1 : -1) *
                                   (below(2) ? 1 : 1000000));
        }
    }

    QJsonValue combination()
    {
        switch (below(8)) {
        case 0:
        case 1:
            return goodCombinations[below(int(goodCombinations.size()))];
        case 2:
            return QString::fromUtf8(
                m_json.mutated(goodCombinations[below(int(goodCombinations.size()))].toUtf8()));
        case 3:
            return oddCombinations[below(int(oddCombinations.size()))];
        case 4:
            return QString::fromLatin1(m_json.bytes());
        case 5:
            return below(10) == 0 ? text(100000) : QString("Ctrl+").repeated(1 + below(5000)) + 'P';
        case 6:
            return jsonValue();
        default:
            return QStringList{"Ctrl+", "Alt+", "Meta+", ""}[below(4)] + text(1 + below(3));
        }
    }

    QJsonValue list()
    {
        QJsonArray keys;
        switch (below(10)) {
        case 0:
            return jsonValue(); // not a list, or a list of anything
        case 1:
            return key();
        case 2: { // nearly all strings
            for (int n = 1 + below(6); n > 0; --n)
                keys.append(key());
            keys.insert(below(int(keys.size()) + 1), jsonValue());
            return keys;
        }
        case 3:
            if (below(8) == 0) {
                for (int n = 2000 + below(8000); n > 0; --n)
                    keys.append(key(false));
                return keys;
            }
            [[fallthrough]];
        default:
            for (int n = below(9); n > 0; --n)
                keys.append(key());
            return keys;
        }
    }

    // A store with a list and combinations under some of its keys and the actions'.
    QByteArray file()
    {
        if (below(20) == 0)
            return m_json.mutated(R"({"shortcutStrings": ["toggleActivation", "300"],)"
                                  R"( "toggleActivation": "Ctrl+Alt+P", "300": "Ctrl+Alt+3"})");
        QJsonObject stored;
        const QJsonValue strings = list();
        if (below(10) != 0)
            stored.insert(PreferenceKeys::shortcutStrings, strings);
        const QJsonArray listed = strings.toArray();
        for (qsizetype i = 0; i < listed.size() && i < 64; ++i)
            if (listed[i].isString() && below(5) != 0)
                stored.insert(listed[i].toString(), combination());
        for (const QString& key : actionKeys)
            if (key != PreferenceKeys::shortcutStrings && below(3) == 0)
                stored.insert(key, combination());
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
        const QJsonDocument document = QJsonDocument::fromJson('[' + m_json.value(below(3)) + ']');
        const QJsonArray wrapped = document.array();
        return wrapped.isEmpty() ? QJsonValue(qint64(below(1000))) : wrapped.first();
    }

    JsonFuzz m_json;
};

struct Figures
{
    int inputs = 0;
    int listsAbsent = 0; // or the file unreadable
    int listsTaken = 0;
    int listsRefused = 0;
    qint64 keysBound = 0;
    qint64 combinationsHeld = 0;
    qint64 actionsRun = 0;
    qint64 presetsRun = 0;
    qint64 presetsRefused = 0;
    qint64 presses = 0;
    int recorded = 0;
};

// What the timer shows and does, to tell whether a shortcut changed anything.
struct Snapshot
{
    State state;
    CountType countType;
    KPTime time;
    KPTime currentTime;
    explicit Snapshot(const KPTimer& timer)
        : state(timer.state()), countType(timer.countType()), time(timer.time()),
          currentTime(timer.currentTime())
    {}
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

} // namespace

// Whatever lies under "shortcutStrings" and the keys it lists, launching binds
// exactly the listed keys of a list of strings, each to its readable
// combination or to none, and every listed shortcut runs its action, counts
// down its preset, or does nothing; no input crashes or throws anything away.
class ShortcutStringsFuzzTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

    static quint32 seed()
    {
        return qEnvironmentVariableIsSet("ZEMBRAK_FUZZ_SEED")
                   ? quint32(qEnvironmentVariableIntValue("ZEMBRAK_FUZZ_SEED"))
                   : 20261207;
    }

    // The list as the manager must take it: only an array of strings.
    static QStringList expectedStrings(const QByteArray& file)
    {
        const QJsonValue stored =
            QJsonDocument::fromJson(file).object().value(PreferenceKeys::shortcutStrings);
        QStringList strings;
        for (const QJsonValue& item : stored.toArray()) {
            if (!item.isString())
                return {};
            strings << item.toString();
        }
        return strings;
    }

    // Runs one listed shortcut and checks what it did to a fresh 0:25:00 countdown.
    static void checkHandling(const QString& key, Figures& figures, ManualRunLoop& loop,
                              const QByteArray& context)
    {
        const std::unique_ptr<KPTimer> timer = KPTimer::fromSeconds(1500);
        KPTimerShortcutManager manager(timer.get(), nullptr);
        const Snapshot before(*timer);
        manager.handleShortcut(key);
        const std::optional<Key> action = KPTimerShortcutManager::keyFromRawValue(key);
        const std::optional<qint64> preset = KPTimerShortcutManager::presetSeconds(key);
        if (action && *action != Key::shortcutStrings) {
            ++figures.actionsRun;
            const bool stopwatch = *action == Key::startStopwatch;
            QVERIFY2(timer->countType() == (stopwatch ? CountType::up : CountType::down), context);
            QVERIFY2(timer->state() == (*action == Key::reset ? State::inactive : State::active),
                     context);
        } else if (!action && preset && *preset > 0 && *preset <= KPTime::maximumTotalSeconds) {
            ++figures.presetsRun;
            QVERIFY2(timer->time().totalSeconds() == *preset, context);
            QVERIFY2(timer->currentTime() == timer->time(), context);
            QVERIFY2(timer->state() == State::active && timer->countType() == CountType::down,
                     context);
            loop.advance(1s);
            QVERIFY2(timer->currentTime().totalSeconds() == *preset - 1, context);
        } else {
            figures.presetsRefused += action ? 0 : 1;
            QVERIFY2(Snapshot(*timer) == before, context);
        }
    }

private Q_SLOTS:
    void anyStoredShortcutsLaunchSoundly()
    {
        ShortcutFuzz fuzz(seed());
        Figures figures;
        FakeSounds sounds;
        for (int input = 0; input < 2500; ++input) {
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
            ++figures.inputs;

            const QStringList expected = expectedStrings(file);
            QVERIFY2(manager.strings() == expected, context);
            const QJsonObject parsed = QJsonDocument::fromJson(file).object();
            const bool isStored = parsed.contains(PreferenceKeys::shortcutStrings);
            const bool isEmptyList = parsed.value(PreferenceKeys::shortcutStrings) == QJsonArray();
            ++(!isStored                            ? figures.listsAbsent
               : expected.isEmpty() && !isEmptyList ? figures.listsRefused
                                                    : figures.listsTaken);
            for (const QString& key : actionKeys)
                QVERIFY2(desktop.isBound(key) == expected.contains(key), context);

            // Each listed key holds its stored combination when that reads as one, else none.
            QStringList keys; // each once, in the stored order
            QSet<QString> seen;
            for (const QString& key : expected) {
                if (!seen.contains(key))
                    keys << key;
                seen.insert(key);
            }
            QHash<QKeyCombination, int> holders;
            for (const QString& key : std::as_const(keys)) {
                QVERIFY2(desktop.isBound(key), context);
                ++figures.keysBound;
                const QKeySequence shortcut = desktop.shortcut(key);
                const QString stored = Defaults::standard().string(key).value_or(QString());
                QVERIFY2(shortcut == GlobalShortcuts::fromStoredText(stored), context);
                QVERIFY2(desktop.status(key) == (shortcut.isEmpty()
                                                     ? GlobalShortcuts::Status::none
                                                     : GlobalShortcuts::Status::active),
                         context);
                if (shortcut.isEmpty())
                    continue;
                ++figures.combinationsHeld;
                ++holders[shortcut[0]];
                QVERIFY2(shortcut.count() == 1 && shortcut[0].key() != Qt::Key_unknown, context);
                // Stored again, it reads back the same.
                QVERIFY2(GlobalShortcuts::fromStoredText(GlobalShortcuts::toStoredText(shortcut)) ==
                             shortcut,
                         context);
                // What the real desktops would be asked for: a keysym with a name, or nothing.
                const std::optional<KeySymbols::Combination> mapped =
                    KeySymbols::fromKeyCombination(shortcut[0]);
                const QString trigger = KeySymbols::trigger(shortcut[0]);
                QVERIFY2(mapped.has_value() == !trigger.isEmpty(), context);
                if (mapped)
                    QVERIFY2(trigger.endsWith(KeySymbols::name(mapped->keysym)), context);
            }

            // A press reaches every key holding the combination.
            for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
                QVERIFY2(desktop.press(QKeySequence(it.key())) == it.value(), context);
                figures.presses += it.value();
            }
            int handled = 0;
            for (const QString& key : std::as_const(keys)) {
                if (++handled > 64) { // the rest of a huge list only runs
                    manager.handleShortcut(key);
                    continue;
                }
                checkHandling(key, figures, loop, context + " key " + key.left(40).toUtf8());
                if (QTest::currentTestFailed())
                    return;
            }

            // Now and then a recording adds its key to whatever was there, and stores the list.
            if (input % 10 != 0)
                continue;
            const QString added = fuzz.key();
            manager.recordShortcut(added, QStringLiteral("Fuzz"));
            ++figures.recorded;
            QStringList after = expected;
            if (!after.contains(added))
                after << added;
            QVERIFY2(manager.strings() == after, context);
            QVERIFY2(desktop.isBound(added), context);
            QVERIFY2(Defaults().stringArray(PreferenceKeys::shortcutStrings) == after, context);
        }
        qInfo("shortcut strings fuzz, seed %u: %d inputs; %d lists taken, %d refused, %d absent; "
              "%lld keys "
              "bound, %lld combinations held, %lld presses run; %lld actions, %lld presets "
              "counted down, %lld keys that are no preset did nothing; %d recordings",
              seed(), figures.inputs, figures.listsTaken, figures.listsRefused, figures.listsAbsent,
              figures.keysBound, figures.combinationsHeld, figures.presses, figures.actionsRun,
              figures.presetsRun, figures.presetsRefused, figures.recorded);
        // The generator reaches every outcome.
        QVERIFY(figures.listsRefused > 100 && figures.listsTaken > 1000);
        QVERIFY(figures.combinationsHeld > 500 && figures.presetsRun > 300 &&
                figures.presetsRefused > 1000 && figures.actionsRun > 100);
    }

    // Random text read as a stored combination: never more than one key, and
    // what it reads as survives being stored.
    void anyCombinationTextReadsAsOneKeyOrNone()
    {
        ShortcutFuzz fuzz(seed() + 1);
        int readable = 0;
        constexpr int inputs = 20000;
        for (int n = 0; n < inputs; ++n) {
            const QString text = fuzz.combination().toString();
            const QKeySequence read = GlobalShortcuts::fromStoredText(text);
            if (read.isEmpty())
                continue;
            ++readable;
            QVERIFY2(read.count() == 1, qPrintable(text.left(80)));
            QCOMPARE(GlobalShortcuts::fromStoredText(GlobalShortcuts::toStoredText(read)), read);
        }
        qInfo("combination text fuzz, seed %u: %d texts, %d read as a combination", seed() + 1,
              inputs, readable);
        QVERIFY(readable > inputs / 10);
    }
};

QTEST_GUILESS_MAIN(ShortcutStringsFuzzTest)
#include "ShortcutStringsFuzzTest.moc"
