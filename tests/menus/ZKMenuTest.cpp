#include "menus/ZKMenu.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "menus/KPSoundMenu.h"
#include "platform/LoginItem.h"
#include "platform/ManualRunLoop.h"
#include "platform/UpdateDialog.h"
#include "platform/Updater.h"
#include "platform/Workspace.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskTableModel.h"
#include "timing/KPTimer.h"
#include "windows/ZKPopover.h"
#include "windows/ZKTimeEditorWindow.h"
#include "windows/ZKTimeSettingsWindow.h"

#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTest>

using namespace std::chrono_literals;
using Keys = PreferenceKeys;
using Mode = KPMenuBarTimeDisplay::MenuButtonMode;
using Size = KPMenuBarTimeDisplay::DisplaySize;

namespace {

// The menu's tree as text: "-" for a separator, "*" after a check mark,
// a submenu's items in brackets.
QString describe(const QMenu& menu)
{
    QStringList items;
    for (const QAction* item : menu.actions()) {
        QString text = item->isSeparator() ? QStringLiteral("-") : item->text();
        if (item->isChecked())
            text += QLatin1Char('*');
        if (item->menu() && item->menu() != menu.findChild<KPSoundMenu*>())
            text += QLatin1Char('[') + describe(*item->menu()) + QLatin1Char(']');
        items << text;
    }
    return items.join(QStringLiteral(", "));
}

QAction* find(const QMenu& menu, const QString& title)
{
    for (QAction* item : menu.actions()) {
        if (item->text() == title)
            return item;
        if (item->menu()) {
            if (QAction* inner = find(*item->menu(), title))
                return inner;
        }
    }
    return nullptr;
}

QStringList checkedSounds(const KPSoundMenu& menu)
{
    QStringList names;
    for (const QAction* item : menu.actions()) {
        if (item->isChecked())
            names << KPSoundMenu::soundName(item);
    }
    return names;
}

QString loginEntry()
{
    return LoginItem::entryPath(ZKMenu::loginItemHelperIdentifier);
}

} // namespace

class ZKMenuTest : public QObject
{
    Q_OBJECT

    // The menu with what it drives: the display with its timer, the popover and the windows.
    struct Fixture
    {
        Fixture()
        {
            display().setMenuButtonMode(Mode::hide);
            menu.setMenuBarTimeDisplay(&display());
            application.givenPopover = &popover;
            application.givenMenu = &menu;
            application.givenTimeEditorWindow = &timeEditorWindow;
            application.givenTimeSettingsWindow = &timeSettingsWindow;
        }
        void trigger(const QString& title)
        {
            QAction* item = find(menu, title);
            QVERIFY2(item, qPrintable(title));
            item->trigger();
        }
        QString tree() const { return describe(menu); }
        KPMenuBarTimeDisplay& display() { return *application.menuBarTimeDisplay(); }
        KPTimer& timer() { return application.timer(); }
        int cyclesColumnWidth() const
        {
            return popover.taskList()->tableView()->columnWidth(KPTaskTableModel::cyclesColumn);
        }

        ManualRunLoop loop;
        FakeApplicationDelegate application;
        ZKPopover popover;
        ZKMenu menu;
        ZKTimeEditorWindow timeEditorWindow{application.menuBarTimeDisplay()->statusItem()};
        ZKTimeSettingsWindow timeSettingsWindow{application.menuBarTimeDisplay()->statusItem()};
    };

    TemporaryStore m_home;
    std::optional<FakeSounds> m_sounds;

    static std::optional<bool> stored(const QString& key) { return Defaults().boolean(key); }

private Q_SLOTS:
    void init()
    {
        m_home.reset();
        m_sounds.emplace();
    }
    void cleanup() { m_sounds.reset(); }

    void aFreshStore()
    {
        Fixture f;
        QCOMPARE(f.menu.title(), QString("Preferences Menu"));
        const QString tree = "Time Settings, Edit Time, -, Autohide Display, Small Display, "
                             "Show Seconds%1, Show Cycle Count%1, -, Enable Ticking, Sound, -, "
                             "More[Launch at Login, Notify at Period End%1, -, "
                             "Check for Updates, Questions/Problems/Suggestions], Quit";
        QCOMPARE(f.tree(), tree.arg("")); // no check marks before the preferences are read
        QCOMPARE(find(f.menu, "Sound")->menu(), f.menu.soundMenu());
        f.menu.loadPreferences();
        QCOMPARE(f.tree(), tree.arg("*"));
        QCOMPARE(f.timer().alarmSound()->name(), QString("Blow"));
        // What was read is stored, each with its own type.
        QCOMPARE(stored(Keys::isShowingSeconds), std::optional(true));
        QCOMPARE(stored(Keys::isTickingEnabled), std::optional(false));
    }

    void storedValues_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("checked"); // the switches with a check mark
        QTest::addColumn<QString>("sound");
        const QString defaults = "Show Seconds, Show Cycle Count";
        QTest::newRow("a string or a number reads as absent")
            << QByteArray(R"({"isShowingSeconds": "false", "isTickingEnabled": 1})") << defaults
            << "Blow";
        QTest::newRow("every switch")
            << QByteArray(R"({"isShowingSeconds": false, "isSmallDisplayEnabled": true,
                "isTickingEnabled": true, "isShowingCycleCount": false,
                "isAutohidingDisplay": true, "soundName": "Joy"})")
            << "Autohide Display, Small Display, Enable Ticking"
            << "Joy";
        QTest::newRow("a sound that is not text")
            << QByteArray(R"({"soundName": ["Joy"]})") << defaults << "Blow";
    }
    void storedValues()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, checked);
        QFETCH(QString, sound);
        m_home.writeStandardFile(file);
        Fixture f;
        f.menu.loadPreferences();
        QStringList marks;
        for (QAction* item : {f.menu.autodhideDisplayMenuItem(), f.menu.smallDisplayMenuItem(),
                              f.menu.showSecondsMenuItem(), f.menu.showCycleCountMenuItem(),
                              f.menu.enableTickingMenuItem(), f.menu.launchAtLoginMenuItem()})
            if (item->isChecked())
                marks << item->text();
        QCOMPARE(marks.join(", "), checked);
        // What was read is what is stored now, with its own type.
        QCOMPARE(stored(Keys::isShowingSeconds), f.menu.isShowingSeconds());
        QCOMPARE(stored(Keys::isTickingEnabled), f.menu.isTickingEnabled());
        QCOMPARE(Defaults().string(Keys::soundName), sound);
    }

    void eachSwitchStoresAndApplies_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("key");
        for (const auto& [title, key] : {std::pair{"Show Seconds", Keys::isShowingSeconds},
                                         {"Small Display", Keys::isSmallDisplayEnabled},
                                         {"Enable Ticking", Keys::isTickingEnabled},
                                         {"Autohide Display", Keys::isAutohidingDisplay},
                                         {"Show Cycle Count", Keys::isShowingCycleCount},
                                         {"Launch at Login", Keys::isLaunchingAtLogin},
                                         {"Notify at Period End", Keys::isNotifyingAtPeriodEnd}})
            QTest::newRow(title) << QString(title) << key;
    }
    void eachSwitchStoresAndApplies()
    {
        QFETCH(QString, title);
        QFETCH(QString, key);
        KPTask counted{100.5, "Counted", false, 12};
        storeTasks({counted});
        Fixture f;
        f.menu.loadPreferences();
        f.timer().start();
        m_sounds->log.clear();
        const int widthShown = f.cyclesColumnWidth();
        QVERIFY(widthShown > 0);
        const bool before = *stored(key);

        f.trigger(title);
        QCOMPARE(stored(key), !before);
        QCOMPARE(find(f.menu, title)->isChecked(), !before);
        if (title == "Show Seconds") {
            QVERIFY(f.display().hideSeconds());
        } else if (title == "Small Display") {
            QCOMPARE(f.display().displaySize(), Size::small);
            QCOMPARE(f.application.popoverToggles, 1); // closes the popover it was shown from
        } else if (title == "Enable Ticking") {
            QVERIFY(f.timer().isTicking());
            QCOMPARE(m_sounds->log, QStringList{"KPTickingSound play"}); // the countdown runs
        } else if (title == "Autohide Display") {
            QCOMPARE(f.display().menuButtonMode(), Mode::replacesDisplay);
        } else if (title == "Show Cycle Count") {
            QVERIFY(f.popover.cyclesLabel()->isHidden());
            QVERIFY(!f.popover.taskList()->isShowingCycles());
            QCOMPARE(f.cyclesColumnWidth(), 0);
        } else if (title == "Launch at Login") {
            QVERIFY(QFile::exists(loginEntry()));
        }

        f.trigger(title); // and back
        QCOMPARE(stored(key), before);
        QCOMPARE(find(f.menu, title)->isChecked(), before);
        QVERIFY(!f.display().hideSeconds());
        QCOMPARE(f.display().displaySize(), Size::regular);
        QCOMPARE(f.display().menuButtonMode(), Mode::hide);
        QVERIFY(!f.timer().isTicking());
        QVERIFY(!f.popover.cyclesLabel()->isHidden());
        QCOMPARE(f.cyclesColumnWidth(), widthShown);
        QVERIFY(!QFile::exists(loginEntry()));
    }

    void autohideWaitsForThePopoverToClose()
    {
        Fixture f;
        f.menu.loadPreferences();
        const double timeWidth = f.display().statusItem()->length();
        f.display().setHighlighted(true); // the popover is open
        f.trigger("Autohide Display");
        QCOMPARE(f.display().statusItem()->length(), timeWidth);
        f.display().setHighlighted(false);
        QVERIFY(f.display().statusItem()->length() < timeWidth); // only the menu button
    }

    void aLoginItemThatCannotChangeKeepsItsMark()
    {
        // A folder in the entry's place can be neither written nor removed.
        TemporaryStore::writeFile(loginEntry() + "/inside", "");
        Fixture f;
        f.menu.loadPreferences();
        f.trigger("Launch at Login");
        QCOMPARE(stored(Keys::isLaunchingAtLogin), true);
        QVERIFY(!f.menu.launchAtLoginMenuItem()->isChecked());
    }

    void theSoundChoice_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("alarm"); // empty: none
        QTest::newRow("an application sound") << "Puddle" << QStringList{"Puddle"} << "Puddle";
        QTest::newRow("none") << "None" << QStringList{"None"} << "";
        QTest::newRow("a name no sound has") << "Gone" << QStringList() << "";
    }
    void theSoundChoice()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, checked);
        QFETCH(QString, alarm);
        QStringList log;
        Sound::setProvider([&log](const QString& sound) -> std::shared_ptr<Sound> {
            if (sound != "Blow" && !KPSoundMenu::applicationSoundNames.contains(sound))
                return nullptr;
            return std::make_shared<FakeSound>(sound, 1.0, &log);
        });
        Fixture f;
        f.menu.loadPreferences();
        f.menu.setSoundName("Joy");
        QCOMPARE(checkedSounds(*f.menu.soundMenu()), QStringList{"Joy"});

        f.menu.setSoundName(name);
        QCOMPARE(checkedSounds(*f.menu.soundMenu()), checked);
        QCOMPARE(Defaults().string(Keys::soundName), name);
        QCOMPARE(f.timer().alarmSound() ? f.timer().alarmSound()->name() : QString(), alarm);
    }

    void supportOpensAMessage()
    {
        Fixture f;
        QList<QUrl> opened;
        Workspace::setOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        f.trigger("Questions/Problems/Suggestions");
        Workspace::setOpener({});
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].scheme(), QString("mailto"));
    }

    void theWindowItemsCloseThePopoverAndShowTheirWindow_data()
    {
        QTest::addColumn<int>("shown");
        QTest::newRow("Edit Time") << 0;
        QTest::newRow("Time Settings") << 1;
    }
    void theWindowItemsCloseThePopoverAndShowTheirWindow()
    {
        QFETCH(int, shown);
        Fixture f;
        const QWidget* windows[] = {&f.timeEditorWindow, &f.timeSettingsWindow};
        f.popover.show();
        f.trigger(QTest::currentDataTag());
        QVERIFY(!f.popover.isVisible());
        QVERIFY(windows[shown]->isVisible());
        QVERIFY(!windows[1 - shown]->isVisible());
    }

    void checkForUpdatesAsksTheUpdater()
    {
        Fixture f;
        f.trigger("Check for Updates"); // none: nothing happens
        Updater updater(QUrl("http://127.0.0.1:9/feed.json"));
        f.application.givenUpdater = &updater;
        f.trigger("Check for Updates");
        QVERIFY(updater.dialog()->isVisible());
    }
};

QTEST_MAIN(ZKMenuTest)
#include "ZKMenuTest.moc"
