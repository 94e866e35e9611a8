#pragma once

#include "menubar/KPMenuBarTimeDisplay.h"

#include <QWidget>
#include <memory>
#include <optional>

class KPTaskManager;
class KPTimeDigits;
class QLabel;
class QToolButton;

// What the timer window shows: the time as the tray item draws it (its digits
// under the period's coloured bar), the current task, and play/pause and skip,
// which do what the popover's button and the item's Skip do.
class ZKTimerView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int viewWidth = 200;
    static constexpr int viewHeight = 46;

    // The display and the task manager live as long as the application.
    ZKTimerView(KPMenuBarTimeDisplay& display, KPTaskManager* tasks, QWidget* parent = nullptr);
    ~ZKTimerView() override;

    QWidget* face() const { return m_face; }
    QToolButton* startPauseButton() const { return m_startPauseButton; }
    QToolButton* skipButton() const { return m_skipButton; }
    QLabel* taskLabel() const { return m_taskLabel; }

    void startPause();
    void skip();
    // Reads the time, the colour, the state and the first open task again.
    void refresh();
    void showTask();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QToolButton* makeButton(const QString& text);
    void applyImages();

    KPMenuBarTimeDisplay& m_display;
    KPTaskManager* m_tasks;
    QWidget* m_face = nullptr;
    std::unique_ptr<KPTimeDigits> m_digits;
    KPMenuBarTimeDisplay::IndicatorView* m_bar = nullptr;
    QToolButton* m_startPauseButton = nullptr;
    QToolButton* m_skipButton = nullptr;
    QLabel* m_taskLabel = nullptr;
    QPoint m_dragOffset; // where the window was grabbed, when the window manager cannot move it
    bool m_running = false;
    std::optional<bool> m_imagesShownFor; // the running state the buttons' images show
};
