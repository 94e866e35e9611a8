#pragma once

#include "menubar/KPTimeDigits.h"
#include "menubar/SharedTimePublisher.h"
#include "platform/tray/StatusItem.h"
#include "shortcuts/KPTimerShortcutManager.h"
#include "timing/KPTime.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimerDelegate.h"

#include <QColor>
#include <QFont>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class KPMenuBarMenuButton;
class KPTimeDisplayDelegate;
class KPTimer;
class QLabel;

// The application's face in the tray: the running timer's time as two-digit
// labels in one row (regular) or two (small), or in a slot too narrow for them
// the minutes alone in large digits; a coloured bar along the top and
// the menu button at the left edge. It is the timer's delegate.
class KPMenuBarTimeDisplay : public QWidget,
                             public KPTimerDelegate,
                             public KPTimeBoxManager::Display
{
    Q_OBJECT

public:
    using DisplaySize = KPTimeDigits::Size;
    enum class MenuButtonMode
    {
        show,
        hide,
        autohide,
        replacesDisplay
    };
    class IndicatorView;
    using ModifierSource = std::function<Qt::KeyboardModifiers()>;

    static constexpr int viewHeight = 21;

    explicit KPMenuBarTimeDisplay(std::unique_ptr<StatusItem> statusItem = StatusItem::create());
    ~KPMenuBarTimeDisplay() override;

    KPTimeDisplayDelegate* delegate() const { return m_delegate; }
    void setDelegate(KPTimeDisplayDelegate* delegate) override { m_delegate = delegate; }
    StatusItem* statusItem() const { return m_statusItem.get(); }
    KPMenuBarMenuButton* menuButton() const { return m_menuButton; }
    QLabel* hours() const { return m_digits->hours(); }
    QLabel* minutes() const { return m_digits->minutes(); }
    QLabel* seconds() const { return m_digits->seconds(); }
    QLabel* hoursMinutesSeparator() const { return m_digits->hoursMinutesSeparator(); }
    QLabel* minutesSecondsSeparator() const { return m_digits->minutesSecondsSeparator(); }
    QLabel* square() const { return m_digits->square(); }
    IndicatorView* indicatorView() const { return m_indicatorView; }
    bool needsRearrangement() const { return m_needsRearrangement; }
    QFont regularFont() const { return m_digits->regularFont(); }
    QFont smallFont() const { return m_digits->smallFont(); }
    KPTimerShortcutManager* shortcutManager() const { return m_shortcutManager.get(); }

    QColor indicatorColor() const { return m_indicatorColor; }
    void setIndicatorColor(const QColor& color) override;
    bool isHighlighted() const { return m_isHighlighted; }
    void setHighlighted(bool highlighted);
    DisplaySize displaySize() const { return m_displaySize; }
    void setDisplaySize(DisplaySize size);
    MenuButtonMode menuButtonMode() const { return m_menuButtonMode; }
    void setMenuButtonMode(MenuButtonMode mode);
    KPTimer* timer() const override { return m_timer.get(); }
    void setTimer(std::unique_ptr<KPTimer> timer) override;
    bool hideSeconds() const { return m_hideSeconds; }
    void setHideSeconds(bool hide);

    // Where click() and rightMouseUp() read the held modifiers (tests).
    void setModifierSource(ModifierSource source);

    // The item's width ends at its last shown digits.
    int contentWidth() const { return m_digits->contentWidth(); }
    // Whether the seconds are drawn: as chosen, unless the tray's slot is too
    // narrow for them.
    bool secondsShown() const { return m_digits->secondsShown(); }
    void updateLength();
    void rearrange();
    void showTimeOf(const KPTimer& timer);
    void updateTextColors();

    void click();
    void rightMouseUp();
    void mouseEntered();
    void mouseExited();
    void blink();

    void timerDidChangeTime(KPTimer* timer) override;
    void timerDidChangeState(KPTimer* timer) override;
    void timerDidFinish(KPTimer* timer) override;
    void timerDidChangeHoursVisibility(KPTimer* timer) override;
    void timerDidRepeatAlarm(KPTimer* timer) override;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showTime(const KPTime& time);
    void updateLabelText();
    void updateAccessibleDescription(const KPTime& time);
    void layOut(DisplaySize size, bool hideSeconds);
    void fitIntoSlot();
    void applyMenuButtonMode();
    void applyHighlight();
    void setMenuButtonWidth(int width);
    bool replacesOrHidesDisplay() const;
    void followPointer(bool inside);
    void recordShortcut(KPTimerShortcutManager::Key key, const QString& title);

    KPTimeDisplayDelegate* m_delegate = nullptr;
    std::unique_ptr<StatusItem> m_statusItem;
    KPMenuBarMenuButton* m_menuButton = nullptr;
    std::unique_ptr<KPTimeDigits> m_digits;
    IndicatorView* m_indicatorView = nullptr;
    bool m_needsRearrangement = false;
    std::unique_ptr<KPTimerShortcutManager> m_shortcutManager;
    bool m_mouseExitedLast = false;
    bool m_menuButtonModePending = false;
    QColor m_indicatorColor;
    bool m_isHighlighted = false;
    DisplaySize m_displaySize = DisplaySize::regular;
    MenuButtonMode m_menuButtonMode = MenuButtonMode::autohide;
    std::unique_ptr<KPTimer> m_timer;
    bool m_hideSeconds = false;
    SharedTimePublisher m_publisher;
    ModifierSource m_modifiers;
    // A release counts only after a press here: the press that closes the
    // popover must not reopen it on release.
    Qt::MouseButtons m_pressedButtons;
    std::optional<KPTime> m_shownTime;
};
