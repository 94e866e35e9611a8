#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "menus/KPSoundMenu.h"
#include "platform/sound/QtSound.h"
#include "platform/sound/SoundDecoder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

static QStringList titles(const QMenu& menu)
{
    QStringList result;
    for (const QAction* item : menu.actions())
        result << (item->isSeparator() ? QStringLiteral("-") : KPSoundMenu::soundName(item));
    return result;
}

static QAction* item(const QMenu& menu, const QString& name)
{
    return menu.actions().value(titles(menu).indexOf(name));
}

static const QStringList fixedItems{"None",   "-",   "Raindrops",    "Puddle", "Joy", "Story",
                                    "Window", "Ice", "Complication", "Rick",   "-"};

// The sounds, and the menu that chooses one.
class SoundTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QTemporaryDir m_cache;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
        for (const char* file :
             {"bell.oga", "alarm clock.oga", "Chime.wav", "README", "x.y.ogg", "Hum&Buzz.ogg"})
            TemporaryStore::writeFile(m_folder.filePath(file), "");
    }

    // Sorted by name; a name with a space is left out, the extension is dropped.
    // Choosing one tells the application.
    void itemsInOrder()
    {
        KPSoundMenu menu(m_folder.path());
        QCOMPARE(titles(menu), fixedItems + QStringList({"Chime", "Hum&Buzz", "bell", "x.y"}));
        QCOMPARE(item(menu, "Hum&Buzz")->text(), QString("Hum&&Buzz")); // no mnemonic
        QCOMPARE(titles(KPSoundMenu(m_folder.filePath("missing"))), fixedItems);
        FakeAppDelegate application;
        item(menu, "Hum&Buzz")->trigger();
        QCOMPARE(application.chosenSounds, QStringList{"Hum&Buzz"});
    }

    // Only the item that stays highlighted for half a second plays, never
    // "None", and nothing once the menu has closed.
    void previewPlaysOnlyWhatStaysHighlighted()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        KPSoundMenu menu(m_folder.path());
        menu.popup(QPoint(100, 100));
        for (const auto& [name, wait] :
             {std::pair{"Joy", 499}, {"Ice", 300}, {"bell", 500}, {"None", 1000}}) {
            menu.setActiveAction(item(menu, name));
            loop.advance(std::chrono::milliseconds(wait));
        }
        QCOMPARE(std::exchange(sounds.log, {}), QStringList{"bell play"});
        menu.setActiveAction(item(menu, "Rick"));
        menu.hide();
        loop.advance(std::chrono::seconds(1));
        QCOMPARE(sounds.log, QStringList());
    }
    void namedSounds()
    {
        for (const char* name : {"KPTickingSound", "Raindrops", "Puddle", "Joy", "Story", "Window",
                                 "Ice", "Complication", "Rick", "Blow"})
            QVERIFY2(Sound::named(name) && Sound::named(name)->duration() >= 0.5, name);
        QVERIFY(!Sound::named("NoSuchSound"));
    }

    void badFiles()
    {
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QFile blow(QStringLiteral(":/sounds/Blow.wav"));
        QVERIFY(blow.open(QIODevice::ReadOnly));
        const QByteArray wav = blow.readAll();
        const std::pair<const char*, QByteArray> files[] = {{"empty.oga", QByteArray()},
                                                            {"noise.oga", noise},
                                                            {"cut.wav", wav.left(30)},
                                                            {"bare.wav", wav.left(44)}};
        for (const auto& [fileName, content] : files) {
            const QString path = m_folder.filePath(QStringLiteral("bad/") + fileName);
            TemporaryStore::writeFile(path, content);
            QVERIFY2(!QtSound::load(fileName, path), fileName);
            QVERIFY(SoundDecoder::cachedWav(path).isEmpty());
        }
        // A failed decode leaves nothing half-written behind.
        QCOMPARE(QDir(SoundDecoder::cacheFolder()).entryList({QStringLiteral("*.part-*")}),
                 QStringList());
    }
};

QTEST_MAIN(SoundTest)
#include "SoundTest.moc"
