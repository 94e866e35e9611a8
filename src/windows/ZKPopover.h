#pragma once

#include "tasks/KPTaskListDelegate.h"
#include "timing/KPTimeBoxManagerDelegate.h"

#include <QWidget>

class KPTaskList;
class KPTimer;
class QLabel;
class QToolButton;

// The panel that drops down from the tray item: play/pause, the kind of the
// current period, the cycle count, the task list and its toolbar.
class ZKPopover : public QWidget, public KPTimeBoxManagerDelegate, public KPTaskListDelegate
{
    Q_OBJECT

public:
    static constexpr int contentWidth = 200; // at least; longer texts widen it
    static constexpr int chromeHeight = 62;  // header 42 + toolbar 20
    static constexpr int maximumHeight = 500;

    explicit ZKPopover(QWidget* parent = nullptr);
    ~ZKPopover() override;

    KPTaskList* taskList() const { return m_taskList; }
    QToolButton* startPauseButton() const { return m_startPauseButton; }
    QToolButton* addButton() const { return m_addButton; }
    QToolButton* removeButton() const { return m_removeButton; }
    QToolButton* moveUpButton() const { return m_moveUpButton; }
    QToolButton* moveDownButton() const { return m_moveDownButton; }
    QToolButton* settingsButton() const { return m_settingsButton; }
    QLabel* cyclesLabel() const { return m_cyclesLabel; }
    QLabel* stateLabel() const { return m_stateLabel; }
    // Today's work periods against the daily goal ("3 of 8 today"), beside the cycle count.
    QLabel* goalLabel() const { return m_goalLabel; }
    // Empty hides it.
    void setDailyProgressText(const QString& text);
    // The play button's state: on shows the pause image.
    bool isStartPauseOn() const { return m_isStartPauseOn; }

    // Hangs the popover below the anchor (screen coordinates), or above it
    // when there is no room below.
    void showRelativeToRect(const QRect& anchor);

    void startPause();
    void addTask();
    void removeTask();
    void moveTaskUp();
    void moveTaskDown();
    // Pops the application's preferences menu up from the button.
    void showMenu(QToolButton* sender);
    // What Tab goes through, in order: the play button, the task list, the toolbar.
    QList<QWidget*> tabOrder() const;

    void timeBoxManagerDidChangeState(KPTimeBoxManager* manager,
                                      KPTimeBoxManager::State state) override;
    void timeBoxManagerDidChangeCycleCount(KPTimeBoxManager* manager,
                                           qint64 cyclesSinceLaunch) override;

    bool taskListCanResize(KPTaskList* taskList) override;
    void taskListDidChangeHeight(KPTaskList* taskList) override;
    void taskListDidChangeEditedRow(KPTaskList* taskList) override;

    static QString title(KPTimeBoxManager::State state);
    // The English name, for what scripts read whatever the language.
    static const char* untranslatedTitle(KPTimeBoxManager::State state);
    // Why the timer stands paused when it was not the user ("Paused: screen
    // locked"), shown in place of the period's name; empty shows the name again.
    void setPauseNote(const QString& note);

Q_SIGNALS:
    void popoverDidClose();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* makeButton(const QString& image, const QString& toolTip);
    void layOut();
    int widthForTexts() const;
    void applyImages();
    void showStartPauseState(bool on);
    void resizeToHeight(int height);
    void keepFocusOn(QToolButton* button);

    KPTaskList* m_taskList = nullptr;
    QToolButton* m_startPauseButton = nullptr;
    QToolButton* m_addButton = nullptr;
    QToolButton* m_removeButton = nullptr;
    QToolButton* m_moveUpButton = nullptr;
    QToolButton* m_moveDownButton = nullptr;
    QToolButton* m_settingsButton = nullptr;
    QLabel* m_cyclesLabel = nullptr;
    QLabel* m_stateLabel = nullptr;
    QLabel* m_goalLabel = nullptr;
    QWidget* m_separator = nullptr;
    bool m_isStartPauseOn = false;
    KPTimeBoxManager::State m_state = KPTimeBoxManager::State::work;
    QString m_pauseNote;
    bool m_hangsAbove = false; // grows upwards when shown above the anchor
};
