#include "JsonFuzz.h"
#include "TemporaryStore.h"
#include "tasks/KPTaskManager.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/PreferenceKeys.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

namespace {

using P = PreferenceKeys;

const QStringList integerKeys = {P::workLength, P::shortBreakLength, P::longBreakLength,
                                 P::longBreakInterval};
const QStringList booleanKeys = {
    P::isLaunchingAtLogin,  P::isShowingSeconds,    P::isSmallDisplayEnabled, P::isTickingEnabled,
    P::isShowingCycleCount, P::isAutohidingDisplay, P::isNotifyingAtPeriodEnd};

const QByteArray storedTasks =
    QByteArray(R"([{"id":725846400.5,"string":"Plan","isCompleted":false,"cycleCount":2}])")
        .toBase64();

// A whole file as the application writes it, every key of the catalogue in it.
const QByteArray validFile = R"({"workLength": 1500, "shortBreakLength": 300,
    "longBreakLength": 1200, "longBreakInterval": 4, "isLaunchingAtLogin": false,
    "isShowingSeconds": true, "isSmallDisplayEnabled": false, "isTickingEnabled": true,
    "isShowingCycleCount": true, "isAutohidingDisplay": false, "isNotifyingAtPeriodEnd": true,
    "soundName": "Glass", "tasks": {"$data": ")" +
                             storedTasks + R"("},
    "shortcutStrings": ["toggleActivation", "300"], "toggleActivation": "Ctrl+Alt+P",
    "300": "Ctrl+Alt+3"})";

JsonFuzz defaultsFuzz(quint32 seed)
{
    QByteArrayList keys;
    QList<JsonFuzz::Field> record;
    const QJsonObject valid = QJsonDocument::fromJson(validFile).object();
    for (auto it = valid.begin(); it != valid.end(); ++it) {
        keys << it.key().toUtf8();
        record.append(
            {it.key().toUtf8(),
             QJsonDocument(QJsonArray{*it}).toJson(QJsonDocument::Compact).chopped(1).mid(1)});
    }
    keys << "$data"
         << "";
    return JsonFuzz(seed, keys, record);
}

// Whether a member of this type is one its reader takes.
bool readable(const QString& key, const QJsonValue& value)
{
    if (integerKeys.contains(key))
        return Defaults::toInteger(value).has_value();
    if (booleanKeys.contains(key))
        return value.isBool();
    if (key == P::soundName)
        return value.isString();
    return false;
}

} // namespace

// Whatever lies in defaults.json, opening the store and reading every key never
// fails: an unreadable file is moved aside whole, and every value of the wrong
// type reads as the key's default.
class DefaultsFileFuzzTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

    static QList<QByteArray> inputs(quint32 seed)
    {
        JsonFuzz fuzz = defaultsFuzz(seed);
        QList<QByteArray> all = {validFile, "", "null", QByteArray(4096, '{'),
                                 "{\"workLength\": " + QByteArray(1 << 16, '9') + "}"};
        for (int n = 0; n < 4000; ++n)
            all << (n % 4 == 0   ? fuzz.bytes()
                    : n % 4 == 1 ? fuzz.record()
                    : n % 4 == 2 ? '{' + fuzz.list(0, true) + '}'
                                 : fuzz.mutated(validFile));
        return all;
    }

private Q_SLOTS:
    void anyFileOpensAndReadsSoundly()
    {
        const quint32 seed = qEnvironmentVariableIsSet("ZEMBRAK_FUZZ_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("ZEMBRAK_FUZZ_SEED"))
                                 : 20261206;
        int movedAside = 0, read = 0, written = 0;
        const QList<QByteArray> all = inputs(seed);
        for (qsizetype i = 0; i < all.size(); ++i) {
            const QByteArray& bytes = all[i];
            const QByteArray context = "input " + QByteArray::number(i) + ": " + bytes.left(120);
            m_home.reset();
            m_home.writeStandardFile(bytes);
            QJsonParseError error{};
            const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
            const bool parses = error.error == QJsonParseError::NoError && document.isObject();
            const QJsonObject stored = document.object();
            Defaults& store = Defaults::standard();

            if (parses) {
                ++read;
                QVERIFY2(store.corruptFileMovedTo().isEmpty(), context);
            } else {
                ++movedAside;
                QFile kept(store.corruptFileMovedTo());
                QVERIFY2(kept.open(QIODevice::ReadOnly), context);
                QVERIFY2(kept.readAll() == bytes, context);
                QVERIFY2(!QFile::exists(store.filePath()), context);
            }
            for (const QString& key : integerKeys)
                if (!readable(key, stored.value(key)))
                    QVERIFY2(P::integer(store, key) == P::integerDefault(key), context);
            for (const QString& key : booleanKeys)
                if (!readable(key, stored.value(key)))
                    QVERIFY2(P::boolean(store, key) == P::booleanDefault(key), context);
            if (!readable(P::soundName, stored.value(P::soundName)))
                QVERIFY2(P::string(store, P::soundName) == P::defaultSoundName, context);
            const QStringList shortcuts = P::stringList(store, P::shortcutStrings);
            QVERIFY2(shortcuts.isEmpty() || stored.value(P::shortcutStrings).isArray(), context);
            QVERIFY2(KPTimeBoxManager::longBreakInterval() != 0, context);
            KPTaskManager tasks;
            QVERIFY2(tasks.hasUndecodableStoredTasks() ==
                         (stored.contains(P::tasks) &&
                          !KPTask::listFromJson(store.data(P::tasks).value_or("x"))),
                     context);
            if (tasks.hasUndecodableStoredTasks())
                QVERIFY2(tasks.tasks.isEmpty(), context);

            // Now and then: the store takes a new value and keeps the rest.
            if (i % 40 != 0)
                continue;
            ++written;
            QVERIFY2(store.setInteger(P::workLength, 60), context);
            Defaults reopened;
            QVERIFY2(reopened.integer(P::workLength) == 60, context);
            for (const QString& key : stored.keys())
                if (key != P::workLength)
                    QVERIFY2(reopened.value(key) == stored.value(key), context);
        }
        qInfo("defaults.json fuzz, seed %u: %lld inputs, %d moved aside, %d read, %d written back",
              seed, qlonglong(all.size()), movedAside, read, written);
        // The generator reaches both outcomes.
        QVERIFY(movedAside > 500);
        QVERIFY(read > 500);
    }
};

QTEST_GUILESS_MAIN(DefaultsFileFuzzTest)
#include "DefaultsFileFuzzTest.moc"
