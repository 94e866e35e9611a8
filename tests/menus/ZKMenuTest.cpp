#include "menus/ZKMenu.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "menus/KPSoundMenu.h"
#include "platform/LoginItem.h"
#include "platform/ManualRunLoop.h"
#include "tasks/KPTaskList.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "windows/ZKPopover.h"
#include "windows/ZKTimeEditorWindow.h"
#include "windows/ZKTimeSettingsWindow.h"

#include <QFile>
#include <QLabel>
#include <QTest>

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
        void trigger(const QString& title) { find(menu, title)->trigger(); }
        QString tree() const { return describe(menu); }
        KPMenuBarTimeDisplay& display() { return *application.menuBarTimeDisplay(); }
        KPTimer& timer() { return application.timer(); }

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

    // A fresh store, or values of another type, read as the defaults; what
    // was read is stored, each with its own type.
    void defaultsAndTheTree()
    {
        for (const char* file :
             {"{}", R"({"isShowingSeconds": "false", "isTickingEnabled": 1, "soundName": [1]})"}) {
            m_home.writeStandardFile(file);
            Fixture f;
            const QString tree = "Time Settings, Edit Time, -, Autohide Display, Small Display, "
                                 "Show Seconds%1, Show Cycle Count%1, -, Enable Ticking, Sound, -, "
                                 "More[Launch at Login, Notify at Period End%1, -, "
                                 "Check for Updates, Questions/Problems/Suggestions], Quit";
            QCOMPARE(f.tree(), tree.arg("")); // no check marks before the preferences are read
            f.menu.loadPreferences();
            QCOMPARE(f.tree(), tree.arg("*"));
            QCOMPARE(f.timer().alarmSound()->name(), QString("Blow"));
            QCOMPARE(stored(Keys::isShowingSeconds), std::optional(true));
            QCOMPARE(stored(Keys::isTickingEnabled), std::optional(false));
        }
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
        Fixture f;
        f.menu.loadPreferences();
        f.timer().start();
        m_sounds->log.clear();
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
        } else if (title == "Launch at Login") {
            QVERIFY(QFile::exists(loginEntry()));
        }

        f.trigger(title); // and back
        QCOMPARE(stored(key), before);
        QCOMPARE(find(f.menu, title)->isChecked(), before);
        QVERIFY(!f.display().hideSeconds() && !f.timer().isTicking());
        QCOMPARE(f.display().displaySize(), Size::regular);
        QCOMPARE(f.display().menuButtonMode(), Mode::hide);
        QVERIFY(!f.popover.cyclesLabel()->isHidden() && !QFile::exists(loginEntry()));
    }

    // The chosen sound is marked, stored and rings; one that is gone rings nothing.
    void theSoundChoice()
    {
        QStringList log;
        Sound::setProvider([&log](const QString& sound) -> std::shared_ptr<Sound> {
            if (sound != "Blow" && !KPSoundMenu::applicationSoundNames.contains(sound))
                return nullptr;
            return std::make_shared<FakeSound>(sound, 1.0, &log);
        });
        Fixture f;
        f.menu.loadPreferences();
        for (const QString name : {"Puddle", "None", "Gone"}) {
            f.menu.setSoundName(name);
            QCOMPARE(checkedSounds(*f.menu.soundMenu()),
                     name == "Gone" ? QStringList() : QStringList{name});
            QCOMPARE(Defaults().string(Keys::soundName), name);
            QCOMPARE(f.timer().alarmSound() ? f.timer().alarmSound()->name() : QString(),
                     name == "Puddle" ? name : QString());
        }
    }

    void theWindowItemsCloseThePopoverAndShowTheirWindow()
    {
        Fixture f;
        for (const auto& [title, window] :
             {std::pair<QString, QWidget*>{"Edit Time", &f.timeEditorWindow},
              {"Time Settings", &f.timeSettingsWindow}}) {
            f.popover.show();
            f.trigger(title);
            QVERIFY(!f.popover.isVisible() && window->isVisible());
        }
    }
};

QTEST_MAIN(ZKMenuTest)
#include "ZKMenuTest.moc"
