#include "ZKPopover.h"

#include "menus/ZKMenu.h"
#include "platform/Frame.h"
#include "platform/Images.h"
#include "platform/RunLoop.h"
#include "platform/SystemStyle.h"
#include "platform/WindowPlacement.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"
#include "timing/KPTimer.h"
#include "windows/AppDelegateInterface.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <algorithm>

namespace {

void setTextColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace

ZKPopover::ZKPopover(QWidget* parent) : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("ZKPopover"));
    setWindowTitle(QStringLiteral("Zembrak"));
    // A click on the tray item that closes the popover must not reopen it.
    setAttribute(Qt::WA_NoMouseReplay);
    resize(contentWidth, chromeHeight);

    m_taskList = new KPTaskList(QRect(0, 20, contentWidth, 0), this);
    m_startPauseButton = makeButton(QString(), tr("Resume Timer"));
    m_cyclesLabel = new QLabel(QStringLiteral("0"), this);
    m_stateLabel = new QLabel(title(KPTimeBoxManager::State::work), this);
    m_goalLabel = new QLabel(this);

    m_taskList->setEmphasizingFirstTask(true);
    m_taskList->setAutorearranging(true);
    m_taskList->setDelegate(this);
    m_taskList->setTaskManager(std::make_unique<KPTaskManager>());
    m_taskList->updateCyclesColumnWidth();
    m_taskList->reloadData();
    m_taskList->requestResize();

    m_cyclesLabel->setText(tr("Cycles Since Launch: %1").arg(0));
    m_cyclesLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_cyclesLabel->setFont(SystemStyle::monospacedDigitSystemFont(13));
    m_goalLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_goalLabel->setFont(SystemStyle::monospacedDigitSystemFont(13));
    m_goalLabel->hide();
    m_stateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_stateLabel->setFont(SystemStyle::systemFont(13));
    setTextColor(m_stateLabel, SystemStyle::systemRedColor());
    resize(widthForTexts(), chromeHeight);

    m_startPauseButton->setIconSize(QSize(38, 38));
    m_separator = new QWidget(this);
    m_separator->setAutoFillBackground(true);
    m_addButton = makeButton(QStringLiteral("KPAdd"), tr("Add New Task"));
    m_removeButton = makeButton(QStringLiteral("KPRemove"), tr("Remove Selected Task"));
    m_moveUpButton = makeButton(QStringLiteral("KPGoUp"), tr("Move Up Selected Task"));
    m_moveDownButton = makeButton(QStringLiteral("KPGoDown"), tr("Move Down Selected Task"));
    for (QToolButton* button : {m_removeButton, m_moveUpButton, m_moveDownButton})
        button->setEnabled(false);
    m_settingsButton = makeButton(QStringLiteral("KPMenu"), tr("Settings"));
    // The toolbar acts on the task being edited: tabbing along it keeps the edit open.
    m_taskList->setEditingControls({m_addButton, m_removeButton, m_moveUpButton, m_moveDownButton});

    connect(m_startPauseButton, &QToolButton::clicked, this, &ZKPopover::startPause);
    connect(m_addButton, &QToolButton::clicked, this, &ZKPopover::addTask);
    connect(m_removeButton, &QToolButton::clicked, this, &ZKPopover::removeTask);
    connect(m_moveUpButton, &QToolButton::clicked, this, &ZKPopover::moveTaskUp);
    connect(m_moveDownButton, &QToolButton::clicked, this, &ZKPopover::moveTaskDown);
    connect(m_settingsButton, &QToolButton::clicked, this, [this] { showMenu(m_settingsButton); });

    applyImages();
    layOut();
}

ZKPopover::~ZKPopover() = default;

QToolButton* ZKPopover::makeButton(const QString& image, const QString& toolTip)
{
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    // Reached by Tab only: a click must not take the focus from the task being edited.
    button->setFocusPolicy(Qt::TabFocus);
    button->installEventFilter(this);
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setIconSize(QSize(18, 18));
    button->setProperty("image", image);
    return button;
}

void ZKPopover::applyImages()
{
    const QColor glyph = SystemStyle::labelColor(palette());
    for (QToolButton* button :
         {m_addButton, m_removeButton, m_moveUpButton, m_moveDownButton, m_settingsButton}) {
        if (button)
            button->setIcon(Images::templateIcon(button->property("image").toString(),
                                                 button->iconSize(), glyph));
    }
    m_startPauseButton->setIcon(Images::templateIcon(m_isStartPauseOn ? QStringLiteral("KPPause")
                                                                      : QStringLiteral("KPPlay"),
                                                     QSize(38, 38), glyph));
    if (m_separator) {
        QPalette separatorPalette = m_separator->palette();
        separatorPalette.setColor(QPalette::Window, SystemStyle::quaternaryLabelColor(palette()));
        m_separator->setPalette(separatorPalette);
    }
    setTextColor(m_cyclesLabel, SystemStyle::secondaryLabelColor(palette()));
    if (m_goalLabel)
        setTextColor(m_goalLabel, SystemStyle::secondaryLabelColor(palette()));
}

void ZKPopover::layOut()
{
    const int grown = height() - chromeHeight; // the task list's share
    const int w = width();
    Frame::set(m_taskList, QRect(0, 20, w, grown));
    Frame::set(m_startPauseButton, QRect(2, 22 + grown, 38, 38));
    Frame::set(m_stateLabel, QRect(40, 42 + grown, w - 42, 18));
    Frame::set(m_cyclesLabel, QRect(40, 22 + grown, w - 42, 18));
    Frame::set(m_goalLabel, QRect(40, 22 + grown, w - 42, 18));
    Frame::set(m_separator, QRect(0, 20 + grown, w, 1));
    Frame::set(m_addButton, QRect(2, 2, 18, 18));
    Frame::set(m_removeButton, QRect(20, 2, 18, 18));
    Frame::set(m_moveUpButton, QRect(38, 2, 18, 18));
    Frame::set(m_moveDownButton, QRect(56, 2, 18, 18));
    Frame::set(m_settingsButton, QRect(w - 20, 2, 18, 18));
}

int ZKPopover::widthForTexts() const
{
    // The labels' column starts at 40 and keeps 2 free at the right; a language
    // with longer words widens the popover rather than cutting them.
    const QFontMetrics state(m_stateLabel->font());
    const QFontMetrics cycles(m_cyclesLabel->font());
    int widest = cycles.horizontalAdvance(tr("Cycles Since Launch: %1").arg(9999));
    // Today's count shares the row with the cycle count.
    if (!m_goalLabel->text().isEmpty())
        widest += cycles.horizontalAdvance(m_goalLabel->text()) + 12;
    for (auto kind : {KPTimeBoxManager::State::work, KPTimeBoxManager::State::shortBreak,
                      KPTimeBoxManager::State::longBreak})
        widest = std::max(widest, state.horizontalAdvance(title(kind)));
    return std::max<int>(contentWidth, 40 + widest + 2);
}

void ZKPopover::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void ZKPopover::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    Q_EMIT popoverDidClose();
}

void ZKPopover::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_startPauseButton)
        applyImages();
}

QList<QWidget*> ZKPopover::tabOrder() const
{
    return {m_startPauseButton, m_taskList->tableView(), m_addButton,     m_removeButton,
            m_moveUpButton,     m_moveDownButton,        m_settingsButton};
}

bool ZKPopover::focusNextPrevChild(bool next)
{
    // The editor of a task stands for the list it edits.
    const QList<QWidget*> order = tabOrder();
    QWidget* focused = focusWidget();
    qsizetype at = -1;
    for (qsizetype i = 0; i < order.size() && at < 0; ++i)
        if (focused && (focused == order[i] || order[i]->isAncestorOf(focused)))
            at = i;
    const qsizetype count = order.size();
    for (qsizetype step = 1; step <= count; ++step) {
        const qsizetype i = at < 0 ? (next ? step - 1 : count - step)
                                   : ((at + (next ? step : -step)) % count + count) % count;
        QWidget* candidate = order[i];
        if (candidate->isEnabled() && candidate->isVisibleTo(this)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

bool ZKPopover::eventFilter(QObject* watched, QEvent* event)
{
    // Return presses the focused button, as Space does.
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ZKPopover::showRelativeToRect(const QRect& anchor)
{
    m_taskList->requestResize();
    // Started or paused from the tray or a shortcut, the button must still tell the truth.
    if (KPTimer* timer = AppDelegateInterface::currentTimer())
        showStartPauseState(timer->state() == KPTimer::State::active);

    QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(anchor.topLeft(), size());
    const QPoint at = WindowPlacement::beside(anchor, size(), area);
    m_hangsAbove = at.y() < anchor.top();
    move(at);
    show();
    raise();
    activateWindow();
    // Nothing inside has the focus yet: the first Tab goes to the play button.
    setFocus(Qt::OtherFocusReason);
}

void ZKPopover::showStartPauseState(bool on)
{
    m_isStartPauseOn = on;
    const QString action = on ? tr("Pause Timer") : tr("Resume Timer");
    m_startPauseButton->setToolTip(action);
    m_startPauseButton->setAccessibleName(action);
    applyImages();
}

void ZKPopover::startPause()
{
    KPTimer* timer = AppDelegateInterface::currentTimer();
    if (!timer)
        return;
    timer->toggle();
    showStartPauseState(timer->state() == KPTimer::State::active);
}

void ZKPopover::addTask()
{
    m_taskList->addTask();
}

void ZKPopover::removeTask()
{
    const std::optional<int> row = m_taskList->editedRow();
    KPTaskManager* manager = m_taskList->taskManager();
    if (!row || !manager || *row < 0 || *row >= manager->tasks.size())
        return;
    m_taskList->removeTask(*row);
}

void ZKPopover::moveTaskUp()
{
    const std::optional<int> row = m_taskList->editedRow();
    if (!row || *row < 1)
        return;
    const bool byKeyboard = m_moveUpButton->hasFocus();
    m_taskList->moveTask(*row, *row - 1);
    m_taskList->beginEditing(*row - 1);
    m_moveUpButton->setEnabled(*row - 1 >= 1);
    m_moveDownButton->setEnabled(true);
    keepFocusOn(byKeyboard ? m_moveUpButton : nullptr);
}

void ZKPopover::moveTaskDown()
{
    const std::optional<int> row = m_taskList->editedRow();
    KPTaskManager* manager = m_taskList->taskManager();
    if (!row || !manager || *row >= manager->tasks.size() - 1)
        return;
    const int count = int(manager->tasks.size());
    const bool byKeyboard = m_moveDownButton->hasFocus();
    m_taskList->moveEditedTaskDown();
    m_taskList->beginEditing(*row + 1);
    m_moveUpButton->setEnabled(true);
    m_moveDownButton->setEnabled(*row + 1 < count - 1);
    keepFocusOn(byKeyboard ? m_moveDownButton : nullptr);
}

void ZKPopover::keepFocusOn(QToolButton* button)
{
    // Editing again took the focus; a key pressed on the button moves the task again.
    if (button && button->isEnabled())
        button->setFocus(Qt::OtherFocusReason);
}

void ZKPopover::showMenu(QToolButton* sender)
{
    AppDelegateInterface* application = AppDelegateInterface::current();
    if (ZKMenu* menu = application ? application->menu() : nullptr)
        menu->popup(sender->mapToGlobal(QPoint(0, sender->height())));
}

const char* ZKPopover::untranslatedTitle(KPTimeBoxManager::State state)
{
    switch (state) {
    case KPTimeBoxManager::State::work:
        return QT_TR_NOOP("Work");
    case KPTimeBoxManager::State::shortBreak:
        return QT_TR_NOOP("Short Break");
    case KPTimeBoxManager::State::longBreak:
        return QT_TR_NOOP("Long Break");
    }
    return "";
}

QString ZKPopover::title(KPTimeBoxManager::State state)
{
    return tr(untranslatedTitle(state));
}

void ZKPopover::timeBoxManagerDidChangeState(KPTimeBoxManager*, KPTimeBoxManager::State state)
{
    m_state = state;
    setPauseNote(m_pauseNote);
    setTextColor(m_stateLabel, KPTimeBoxManager::colorFor(state));
}

void ZKPopover::setPauseNote(const QString& note)
{
    m_pauseNote = note;
    // A long translation is shortened here and read whole from the tooltip.
    m_stateLabel->setText(note.isEmpty() ? title(m_state)
                                         : m_stateLabel->fontMetrics().elidedText(
                                               note, Qt::ElideRight, m_stateLabel->width()));
    m_stateLabel->setToolTip(note);
    m_startPauseButton->setAccessibleDescription(note);
}

void ZKPopover::setDailyProgressText(const QString& text)
{
    if (text == m_goalLabel->text())
        return;
    m_goalLabel->setText(text);
    m_goalLabel->setVisible(!text.isEmpty());
    resize(widthForTexts(), height());
    // Widened while open: it stays on its screen.
    const QRect area = screen() ? screen()->availableGeometry() : QRect();
    if (isVisible() && area.isValid() && geometry().right() > area.right())
        move(std::max(area.left(), area.right() + 1 - width()), y());
}

void ZKPopover::timeBoxManagerDidChangeCycleCount(KPTimeBoxManager*, qint64 cyclesSinceLaunch)
{
    m_cyclesLabel->setText(tr("Cycles Since Launch: %1").arg(cyclesSinceLaunch));
    m_taskList->creditWorkCycle();
}

bool ZKPopover::taskListCanResize(KPTaskList*)
{
    QScreen* mainScreen = QGuiApplication::primaryScreen();
    if (!windowHandle() || !mainScreen)
        return true;
    // A popover that already reaches the top of the screen does not grow.
    return frameGeometry().top() != mainScreen->geometry().top();
}

void ZKPopover::taskListDidChangeHeight(KPTaskList*)
{
    RunLoop::main().post(this, [this] {
        resizeToHeight(std::min(maximumHeight, m_taskList->contentHeight() + chromeHeight));
    });
}

void ZKPopover::resizeToHeight(int newHeight)
{
    if (newHeight == height())
        return;
    QRect frame = geometry();
    if (m_hangsAbove && isVisible())
        frame.setTop(frame.bottom() + 1 - newHeight); // grow upwards, away from the anchor
    else
        frame.setHeight(newHeight);
    setGeometry(frame);
}

void ZKPopover::taskListDidChangeEditedRow(KPTaskList* taskList)
{
    const std::optional<int> row = taskList->editedRow();
    KPTaskManager* manager = taskList->taskManager();
    if (row && manager) {
        m_removeButton->setEnabled(true);
        m_moveUpButton->setEnabled(*row >= 1);
        m_moveDownButton->setEnabled(*row < manager->tasks.size() - 1);
    } else {
        for (QToolButton* button : {m_removeButton, m_moveUpButton, m_moveDownButton})
            button->setEnabled(false);
    }
}
