#include "menus/ZKMenu.h"
#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "menus/KPSoundMenu.h"
#include "menus/ZKStatusMenu.h"
#include "platform/session/LoginItem.h"
#include "tasks/KPTaskList.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "windows/ZKPopover.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;
using Keys = PreferenceKeys;
using Mode = KPMenuBarTimeDisplay::MenuButtonMode;

namespace {

// Every switch of the menu, and the key it stores under.
const std::pair<QString, QString> switches[] = {
    {"Show Seconds", Keys::isShowingSeconds},
    {"Small Display", Keys::isSmallDisplayEnabled},
    {"Enable Ticking", Keys::isTickingEnabled},
    {"Autohide Display", Keys::isAutohidingDisplay},
    {"Show Cycle Count", Keys::isShowingCycleCount},
    {"Launch at Login", Keys::isLaunchingAtLogin},
    {"Notify at Period End", Keys::isNotifyingAtPeriodEnd},
    {"Pause When Locked", Keys::isPausingWhenLocked},
    {"Start Breaks Automatically", Keys::isStartingBreaksAutomatically},
    {"Start Work Automatically", Keys::isStartingWorkAutomatically},
    {"Break Screen", Keys::isShowingBreakScreen},
    {"Show Timer Window", Keys::isShowingTimerWindow}};

QAction* find(const QMenu& menu, const QString& title)
{
    for (QAction* item : menu.actions()) {
        if (item->text() == title)
            return item;
        if (QAction* inner = item->menu() ? find(*item->menu(), title) : nullptr)
            return inner;
    }
    return nullptr;
}

QStringList checkedSounds(const KPSoundMenu& menu)
{
    QStringList names;
    for (const QAction* item : menu.actions())
        if (item->isChecked())
            names << KPSoundMenu::soundName(item);
    return names;
}

QStringList titles(const QMenu& menu)
{
    QStringList result;
    for (const QAction* item : menu.actions())
        result << (item->isSeparator() ? QStringLiteral("-") : KPSoundMenu::soundName(item));
    return result;
}

QAction* item(const QMenu& menu, const QString& name)
{
    return menu.actions().value(titles(menu).indexOf(name));
}

// The items after the application's own sounds: the folder's.
QStringList folderItems(const QMenu& menu)
{
    const QStringList all = titles(menu);
    return all.mid(all.lastIndexOf(QStringLiteral("-")) + 1);
}

} // namespace

// The preferences menu, the status item's menu and the sound menu.
class ZKMenuTest : public QObject
{
    Q_OBJECT

    // The menu with what it drives: the display with its timer, and the popover.
    struct Fixture
    {
        Fixture()
        {
            display().setMenuButtonMode(Mode::hide);
            menu.setMenuBarTimeDisplay(&display());
            application.givenPopover = &popover;
        }
        void trigger(const QString& title) { find(menu, title)->trigger(); }
        KPMenuBarTimeDisplay& display() { return *application.menuBarTimeDisplay(); }
        KPTimer& timer() { return application.timer(); }

        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate application;
        ZKPopover popover;
        ZKMenu menu;
    };

    TemporaryStore m_home;
    QTemporaryDir m_folder; // of the user's sounds
    QTemporaryDir m_cache;

    static std::optional<bool> stored(const QString& key) { return Defaults().boolean(key); }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
        for (const char* file :
             {"bell.oga", "alarm clock.oga", "Chime.wav", "README", "x.y.ogg", "Hum&Buzz.ogg"})
            TemporaryStore::writeFile(m_folder.filePath(file), "");
    }

    void init() { m_home.reset(); }

    void eachSwitchStoresAndApplies_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("key");
        for (const auto& [title, key] : switches)
            QTest::newRow(qPrintable(title)) << title << key;
    }
    void eachSwitchStoresAndApplies()
    {
        QFETCH(QString, title);
        QFETCH(QString, key);
        Fixture f;
        f.menu.loadPreferences();
        f.timer().start();
        f.sounds.log.clear();
        const bool before = *stored(key); // the defaults, stored: the menus e2e run checks them

        f.trigger(title);
        QCOMPARE(stored(key), !before);
        QCOMPARE(find(f.menu, title)->isChecked(), !before);
        if (title == "Small Display") { // Show Seconds applied is the menus run's
            QCOMPARE(f.display().displaySize(), KPMenuBarTimeDisplay::DisplaySize::small);
            QCOMPARE(f.application.popoverToggles, 1); // closes the popover it was shown from
        } else if (title == "Enable Ticking") {
            QVERIFY(f.timer().isTicking());
            QCOMPARE(f.sounds.log, QStringList{"KPTickingSound play"}); // the countdown runs
        } else if (title == "Autohide Display") {
            QCOMPARE(f.display().menuButtonMode(), Mode::replacesDisplay);
        } else if (title == "Show Cycle Count") {
            QVERIFY(f.popover.cyclesLabel()->isHidden() &&
                    !f.popover.taskList()->isShowingCycles());
        } else if (title == "Launch at Login") {
            QVERIFY(QFile::exists(LoginItem::entryPath(ZKMenu::loginItemHelperIdentifier)));
        }

        f.trigger(title); // and back
        QCOMPARE(stored(key), before);
        QCOMPARE(find(f.menu, title)->isChecked(), before);
        QVERIFY(!f.timer().isTicking() &&
                !QFile::exists(LoginItem::entryPath(ZKMenu::loginItemHelperIdentifier)));
    }

    // A stored choice out of bounds reads as none; a choice is stored and told.
    void numberChoices_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("loaded");
        const auto row = [](const QString& key, const char* stored, const char* loaded) {
            QTest::addRow("%s %s", qPrintable(key), stored) << key << QByteArray(stored) << loaded;
        };
        row(Keys::idlePromptMinutes, "10", "10 minutes");
        row(Keys::idlePromptMinutes, "-3", "Off");
        row(Keys::dailyGoal, "8", "8 work periods");
        row(Keys::dailyGoal, "-1", "None");
    }
    void numberChoices()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, stored);
        QFETCH(QString, loaded);
        m_home.writeStandardFile("{\"" + key.toUtf8() + "\": " + stored + "}");
        Fixture f;
        f.menu.loadPreferences();
        const bool isGoal = key == Keys::dailyGoal;
        QMenu& choices =
            *(isGoal ? f.menu.dailyGoalMenuItem() : f.menu.askAfterIdleMenuItem())->menu();
        QVERIFY(find(choices, loaded)->isChecked());
        QSignalSpy told(&f.menu,
                        isGoal ? &ZKMenu::dailyGoalChanged : &ZKMenu::idlePromptMinutesChanged);
        find(choices, isGoal ? "12 work periods" : "15 minutes")->trigger();
        QCOMPARE(Defaults().integer(key), isGoal ? 12 : 15);
        QCOMPARE(told.count(), 1);
        f.menu.setIdleAvailable(false);
        QVERIFY(!f.menu.askAfterIdleMenuItem()->isEnabled());
        QCOMPARE(f.menu.askAfterIdleMenuItem()->toolTip(), "Not available on this desktop");
    }

    // The chosen sound is marked, stored and rings; one that is gone rings nothing.
    void theSoundChoice()
    {
        Fixture f;
        Sound::setProvider([&f](const QString& sound) -> std::shared_ptr<Sound> {
            if (sound != "Blow" && !KPSoundMenu::applicationSoundNames.contains(sound))
                return nullptr;
            return std::make_shared<FakeSound>(sound, 1.0, &f.sounds.log);
        });
        f.menu.loadPreferences();
        QCOMPARE(f.timer().alarmSound()->name(), QString("Blow"));
        for (const QString name : {"Puddle", "None", "Gone"}) {
            f.menu.setSoundName(name);
            QCOMPARE(checkedSounds(*f.menu.soundMenu()),
                     name == "Gone" ? QStringList() : QStringList{name});
            QCOMPARE(Defaults().string(Keys::soundName), name);
            QCOMPARE(f.timer().alarmSound() ? f.timer().alarmSound()->name() : QString(),
                     name == "Puddle" ? name : QString());
        }
    }

    // The status item's own menu drives the timer as the tray item does; its play
    // label follows the timer. (Skip and Open Zembrak through a host's menu are the
    // GNOME Shell run's.)
    void statusMenuDrivesTheTimer()
    {
        Fixture f;
        ZKStatusMenu statusMenu(f.menu, f.display(), [] {});
        const StatusItem& item = *f.display().statusItem();
        const auto labels = [&item] {
            QStringList shown;
            for (const StatusItem::MenuEntry& entry : item.menu())
                shown << (entry.separator ? "-" : entry.label);
            return shown;
        };
        const auto choose = [&item](const QString& label) {
            for (const StatusItem::MenuEntry& entry : item.menu()) {
                if (entry.label == label && entry.enabled) {
                    const auto command = entry.triggered; // the menu changes as it runs
                    return command();
                }
            }
            QFAIL(qPrintable("no " + label));
        };
        choose("Start");
        QCOMPARE(f.timer().state(), KPTimer::State::active);
        QCOMPARE(labels().at(2), "Pause");
        f.loop.advance(60s);
        choose("Pause");
        QCOMPARE(f.timer().state(), KPTimer::State::inactive);
        QCOMPARE(labels().at(2), "Start");
        choose("Reset");
        QCOMPARE(f.timer().currentTime().totalSeconds(), 1500);
        choose("+5 Minutes");
        f.trigger("+5 Minutes"); // the popover's menu
        QCOMPARE(f.timer().currentTime().totalSeconds(), 2100);
    }

    // The sound menu.
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

QTEST_MAIN(ZKMenuTest)
#include "ZKMenuTest.moc"
