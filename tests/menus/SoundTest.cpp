#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "menus/KPSoundMenu.h"

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

// The items after the application's own sounds: the folder's.
static QStringList folderItems(const QMenu& menu)
{
    const QStringList all = titles(menu);
    return all.mid(all.lastIndexOf(QStringLiteral("-")) + 1);
}

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
        QCOMPARE(folderItems(menu), QStringList({"Chime", "Hum&Buzz", "bell", "x.y"}));
        QCOMPARE(item(menu, "Hum&Buzz")->text(), QString("Hum&&Buzz")); // no mnemonic
        QCOMPARE(folderItems(KPSoundMenu(m_folder.filePath("missing"))), QStringList());
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
};

QTEST_MAIN(SoundTest)
#include "SoundTest.moc"
