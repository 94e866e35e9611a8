#include "menus/KPSoundMenu.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "platform/ManualRunLoop.h"

#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace std::chrono_literals;

namespace {

QStringList titles(const QMenu& menu)
{
    QStringList result;
    for (const QAction* item : menu.actions())
        result << (item->isSeparator() ? QStringLiteral("-") : KPSoundMenu::soundName(item));
    return result;
}

QAction* item(const QMenu& menu, const QString& name)
{
    for (QAction* action : menu.actions())
        if (!action->isSeparator() && KPSoundMenu::soundName(action) == name)
            return action;
    return nullptr;
}

const QStringList fixedItems{"None",   "-",   "Raindrops",    "Puddle", "Joy", "Story",
                             "Window", "Ice", "Complication", "Rick",   "-"};

} // namespace

class KPSoundMenuTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    std::optional<ManualRunLoop> m_loop;
    std::optional<FakeSounds> m_sounds;

private Q_SLOTS:
    void initTestCase()
    {
        for (const char* file :
             {"bell.oga", "alarm clock.oga", "Chime.wav", "README", "x.y.ogg", "Hum&Buzz.ogg"})
            TemporaryStore::writeFile(m_folder.filePath(file), "");
    }
    void init()
    {
        m_loop.emplace();
        m_sounds.emplace();
    }
    void cleanup()
    {
        m_sounds.reset();
        m_loop.reset();
    }

    // Sorted by name; a name with a space is left out, the extension is dropped.
    // Choosing one tells the application.
    void itemsInOrder()
    {
        KPSoundMenu menu(m_folder.path());
        QCOMPARE(titles(menu), fixedItems + QStringList({"Chime", "Hum&Buzz", "bell", "x.y"}));
        QCOMPARE(item(menu, "Hum&Buzz")->text(), QString("Hum&&Buzz")); // no mnemonic
        QCOMPARE(titles(KPSoundMenu(m_folder.filePath("missing"))), fixedItems);
        item(menu, "Puddle")->trigger(); // nobody to tell yet
        FakeApplicationDelegate application;
        item(menu, "Hum&Buzz")->trigger();
        QCOMPARE(application.chosenSounds, QStringList{"Hum&Buzz"});
    }

    // Only the item that stays highlighted for half a second plays, never
    // "None", and nothing once the menu has closed.
    void previewPlaysOnlyWhatStaysHighlighted()
    {
        KPSoundMenu menu(m_folder.path());
        menu.popup(QPoint(100, 100));
        const std::tuple<QString, std::chrono::milliseconds, QStringList> steps[] = {
            {"Joy", 499ms, {}},
            {"Ice", 300ms, {}},
            {"bell", 499ms, {}},
            {"", 1ms, {"bell play"}},
            {"None", 1s, {}}};
        for (const auto& [name, wait, played] : steps) {
            if (!name.isEmpty())
                menu.setActiveAction(item(menu, name));
            m_loop->advance(wait);
            QCOMPARE(std::exchange(m_sounds->log, {}), played);
        }
        menu.setActiveAction(item(menu, "Rick"));
        menu.hide();
        m_loop->advance(1s);
        QCOMPARE(m_sounds->log, QStringList());
    }
};

QTEST_MAIN(KPSoundMenuTest)
#include "KPSoundMenuTest.moc"
