#include "menus/KPSoundMenu.h"
#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"

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

class KPSoundMenuTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private Q_SLOTS:
    void initTestCase()
    {
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
};

QTEST_MAIN(KPSoundMenuTest)
#include "KPSoundMenuTest.moc"
