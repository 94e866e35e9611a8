#include "KPMenuBarTimeDisplay.h"

#include "menubar/IndicatorView.h"
#include "menubar/KPMenuBarMenuButton.h"
#include "menubar/KPTimeDigits.h"
#include "platform/Frame.h"
#include "platform/tray/TrayTimeLayout.h"
#include "shortcuts/KPShortcutWindow.h"
#include "shortcuts/KPTimerShortcutManager.h"
#include "timing/KPTimeDisplayDelegate.h"
#include "timing/KPTimer.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>

KPMenuBarTimeDisplay::KPMenuBarTimeDisplay(std::unique_ptr<StatusItem> statusItem)
    : m_statusItem(std::move(statusItem)),
      m_modifiers([] { return QGuiApplication::queryKeyboardModifiers(); })
{
    m_statusItem->setLength(0);
    resize(0, viewHeight);
    // Creation order is stacking order: the bar is drawn above the labels.
    m_menuButton = new KPMenuBarMenuButton(this);
    m_digits = std::make_unique<KPTimeDigits>(this);
    m_indicatorView = new IndicatorView(this);
    Frame::set(m_indicatorView, QRect(0, 19, 0, 2));
    m_menuButton->setTimeDisplay(this);

    if (QWidget* button = m_statusItem->button()) {
        setParent(button);
        show();
    }
    m_statusItem->setHighlighted(false);
    connect(m_statusItem.get(), &StatusItem::activated, this, &KPMenuBarTimeDisplay::click);
    connect(m_statusItem.get(), &StatusItem::secondaryActivated, this,
            &KPMenuBarTimeDisplay::rightMouseUp);
    connect(m_statusItem.get(), &StatusItem::slotSizeChanged, this,
            &KPMenuBarTimeDisplay::rearrange);
}

KPMenuBarTimeDisplay::~KPMenuBarTimeDisplay()
{
    // The status item's button would otherwise delete this view a second time.
    setParent(nullptr);
}

void KPMenuBarTimeDisplay::setIndicatorColor(const QColor& color)
{
    m_indicatorColor = color;
    m_indicatorView->setBackgroundColor(color);
    m_statusItem->setAccentColor(color);
}

void KPMenuBarTimeDisplay::setHighlighted(bool highlighted)
{
    m_isHighlighted = highlighted;
    applyHighlight();
}

void KPMenuBarTimeDisplay::setDisplaySize(DisplaySize size)
{
    m_displaySize = size;
    rearrange();
}

void KPMenuBarTimeDisplay::setMenuButtonMode(MenuButtonMode mode)
{
    m_menuButtonMode = mode;
    applyMenuButtonMode();
}

void KPMenuBarTimeDisplay::setHideSeconds(bool hide)
{
    m_hideSeconds = hide;
    rearrange();
}

void KPMenuBarTimeDisplay::setTimer(std::unique_ptr<KPTimer> timer)
{
    m_timer = std::move(timer);
    if (m_timer)
        m_timer->setDelegate(this);
    m_needsRearrangement = true;
    showTime(m_timer ? m_timer->currentTime() : KPTime{});
    updateTextColors();
    if (m_timer && m_statusItem->button()) {
        m_shortcutManager = std::make_unique<KPTimerShortcutManager>(
            m_timer.get(), std::make_unique<KPShortcutWindow>(m_statusItem.get()));
        m_shortcutManager->loadStrings();
        m_shortcutManager->bindStoredShortcuts();
    }
}

void KPMenuBarTimeDisplay::setModifierSource(ModifierSource source)
{
    m_modifiers = std::move(source);
}

// Layout

void KPMenuBarTimeDisplay::rearrange()
{
    // The chosen layout decides the length asked for, whatever the tray gives.
    layOut(m_displaySize, m_hideSeconds);
    updateLength();
    fitIntoSlot();
    updateLabelText();
}

void KPMenuBarTimeDisplay::layOut(DisplaySize size, bool hideSeconds)
{
    m_digits->layOut(size, hideSeconds, Frame::maxX(Frame::of(m_menuButton)) - 1);
}

void KPMenuBarTimeDisplay::updateLength()
{
    const int buttonWidth = m_menuButton->width();
    const int length = m_menuButtonMode == MenuButtonMode::replacesDisplay && buttonWidth != 0
                           ? buttonWidth
                           : contentWidth();
    resize(length, height());
    m_statusItem->setLength(length);
}

void KPMenuBarTimeDisplay::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The bar spans the full width at the top, whatever the width.
    Frame::set(m_indicatorView, QRect(0, 19, width(), 2));
}

void KPMenuBarTimeDisplay::fitIntoSlot()
{
    // A slot narrower than the time gets its square form, never a cut digit;
    // a wider one gets the time centred, never stretched.
    const QSize slot = m_statusItem->slotSize();
    if (!slot.isValid()) {
        move(0, 0);
        return;
    }
    const auto preferred = m_displaySize == DisplaySize::small ? TrayTimeLayout::Form::twoRows
                                                               : TrayTimeLayout::Form::oneRow;
    if (width() == contentWidth() &&
        TrayTimeLayout::choose(preferred, width(), slot) == TrayTimeLayout::Form::square) {
        m_digits->layOutSquare(slot);
        resize(contentWidth(), height());
    }
    move(qMax(0, (slot.width() - width()) / 2), qMax(0, (slot.height() - viewHeight) / 2));
}

// Time and colours

void KPMenuBarTimeDisplay::showTimeOf(const KPTimer& timer)
{
    showTime(timer.currentTime());
}

void KPMenuBarTimeDisplay::showTime(const KPTime& time)
{
    // Most of the ten ticks a second repeat the second on show: only a change
    // is written and laid out.
    if (time != m_shownTime || m_needsRearrangement) {
        if (m_digits->setTime(time))
            m_needsRearrangement = true;
        if (m_needsRearrangement) {
            rearrange();
            m_needsRearrangement = false;
        }
        m_shownTime = time;
        updateLabelText();
        updateAccessibleDescription(time);
    }
    m_publisher.publish(time);
}

void KPMenuBarTimeDisplay::updateLabelText()
{
    // What hosts that show only a picture of the view print beside it.
    // It follows the chosen layout, not the one a narrow tray slot forced.
    m_statusItem->setLabelText(m_digits->text(m_hideSeconds));
    m_statusItem->setSquareText(m_digits->squareText());
}

void KPMenuBarTimeDisplay::updateAccessibleDescription(const KPTime& time)
{
    const bool countsUp = m_timer && m_timer->countType() == KPTimer::CountType::up;
    const QString text = KPTimeDigits::spokenText(time, countsUp);
    if (QWidget* button = m_statusItem->button())
        button->setAccessibleDescription(text);
    m_statusItem->setToolTipText(text);
}

void KPMenuBarTimeDisplay::updateTextColors()
{
    const bool running =
        m_timer && (m_timer->state() == KPTimer::State::active || m_timer->isLooping());
    m_digits->paint(m_isHighlighted, running, palette());
}

void KPMenuBarTimeDisplay::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The colour roles follow the panel's palette, which a tray may change at any time.
    if (event->type() == QEvent::PaletteChange)
        updateTextColors();
}

void KPMenuBarTimeDisplay::applyHighlight()
{
    m_menuButton->setHighlighted(m_isHighlighted);
    m_statusItem->setHighlighted(m_isHighlighted);
    updateTextColors();
    if (m_isHighlighted || !m_mouseExitedLast)
        return;
    // A mode chosen while highlighted is applied in full, so that leaving a mode
    // that showed the button (for one that does not size it on exit) hides it.
    if (m_menuButtonModePending) {
        m_menuButtonModePending = false;
        applyMenuButtonMode();
    }
    mouseExited();
}

void KPMenuBarTimeDisplay::blink()
{
    m_statusItem->animateAlphaValue(m_statusItem->alphaValue() == 1.0 ? 0.5 : 1.0);
}

// Menu button and hover

void KPMenuBarTimeDisplay::setMenuButtonWidth(int width)
{
    Frame::set(m_menuButton, QRect(0, 0, width, viewHeight));
}

void KPMenuBarTimeDisplay::applyMenuButtonMode()
{
    if (m_isHighlighted) {
        m_mouseExitedLast = true;
        m_menuButtonModePending = true;
        return;
    }
    const bool shown = m_menuButtonMode == MenuButtonMode::show ||
                       m_menuButtonMode == MenuButtonMode::replacesDisplay;
    setMenuButtonWidth(shown ? m_menuButton->visibleWidth() : 0);
    rearrange();
}

void KPMenuBarTimeDisplay::mouseEntered()
{
    m_mouseExitedLast = false;
    if (!m_isHighlighted)
        followPointer(true);
}

void KPMenuBarTimeDisplay::mouseExited()
{
    if (m_isHighlighted)
        m_mouseExitedLast = true;
    else
        followPointer(false);
}

// Under the pointer an autohiding button shows, and one that replaces the display hides.
void KPMenuBarTimeDisplay::followPointer(bool inside)
{
    if (m_menuButtonMode != MenuButtonMode::autohide &&
        m_menuButtonMode != MenuButtonMode::replacesDisplay)
        return;
    const bool shown = (m_menuButtonMode == MenuButtonMode::autohide) == inside;
    setMenuButtonWidth(shown ? m_menuButton->visibleWidth() : 0);
    rearrange();
}

void KPMenuBarTimeDisplay::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    mouseEntered();
}

void KPMenuBarTimeDisplay::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    mouseExited();
}

// Clicks

bool KPMenuBarTimeDisplay::replacesOrHidesDisplay() const
{
    return m_menuButtonMode == MenuButtonMode::hide ||
           m_menuButtonMode == MenuButtonMode::replacesDisplay;
}

void KPMenuBarTimeDisplay::click()
{
    if (replacesOrHidesDisplay()) {
        m_menuButton->press();
        return;
    }
    // The whole flag set counts: Alt with Shift is no Alt-click.
    const Qt::KeyboardModifiers modifiers = m_modifiers();
    if (modifiers == Qt::AltModifier) {
        recordShortcut(KPTimerShortcutManager::Key::toggleActivation, tr("Start/Pause"));
        return;
    }
    if (modifiers == Qt::ControlModifier) {
        if (m_timer)
            m_timer->reset();
        m_statusItem->setAlphaValue(1.0);
        return;
    }
    if (m_timer)
        m_timer->toggle();
}

void KPMenuBarTimeDisplay::recordShortcut(KPTimerShortcutManager::Key key, const QString& title)
{
    if (m_shortcutManager)
        m_shortcutManager->recordShortcut(KPTimerShortcutManager::rawValue(key), title);
}

void KPMenuBarTimeDisplay::rightMouseUp()
{
    if (replacesOrHidesDisplay()) {
        m_menuButton->press();
        return;
    }
    if (m_modifiers() == Qt::AltModifier) {
        recordShortcut(KPTimerShortcutManager::Key::reset, tr("Reset"));
        return;
    }
    if (m_timer)
        m_timer->reset();
}

void KPMenuBarTimeDisplay::mousePressEvent(QMouseEvent* event)
{
    m_pressedButtons |= event->button();
    QWidget::mousePressEvent(event);
}

void KPMenuBarTimeDisplay::mouseReleaseEvent(QMouseEvent* event)
{
    const bool pressedHere = m_pressedButtons.testFlag(event->button());
    m_pressedButtons &= ~event->button();
    if (!pressedHere || !rect().contains(event->position().toPoint())) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton)
        click();
    else if (event->button() == Qt::RightButton)
        rightMouseUp();
    else
        QWidget::mouseReleaseEvent(event);
}

// The timer's reports

void KPMenuBarTimeDisplay::timerDidChangeTime(KPTimer* timer)
{
    showTimeOf(*timer);
}

void KPMenuBarTimeDisplay::timerDidChangeState(KPTimer*)
{
    updateTextColors();
    m_statusItem->setAlphaValue(1.0);
}

void KPMenuBarTimeDisplay::timerDidFinish(KPTimer*)
{
    if (m_delegate)
        m_delegate->timeDisplayTimerDidFinish(this);
}

void KPMenuBarTimeDisplay::timerDidChangeHoursVisibility(KPTimer*)
{
    m_needsRearrangement = true;
}

void KPMenuBarTimeDisplay::timerDidRepeatAlarm(KPTimer*)
{
    blink();
}
