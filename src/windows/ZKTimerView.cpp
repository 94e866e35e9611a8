#include "ZKTimerView.h"

#include "menubar/IndicatorView.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "menubar/KPTimeDigits.h"
#include "menus/ZKStatusMenu.h"
#include "platform/Images.h"
#include "platform/SystemStyle.h"
#include "tasks/KPTaskManager.h"
#include "timing/KPTimer.h"
#include "windows/ZKPopover.h"

#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QWindow>

namespace {

constexpr int buttonSize = 20;

} // namespace

ZKTimerView::ZKTimerView(KPMenuBarTimeDisplay& display, KPTaskManager* tasks, QWidget* parent)
    : QWidget(parent), m_display(display), m_tasks(tasks)
{
    setObjectName(QStringLiteral("ZKTimerView"));
    resize(viewWidth, viewHeight);
    setAutoFillBackground(true);
    // The tray item's face: its digits with the bar of the period's colour along the top.
    m_face = new QWidget(this);
    m_face->setGeometry(0, 0, viewWidth, KPMenuBarTimeDisplay::viewHeight + 2);
    m_face->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_digits = std::make_unique<KPTimeDigits>(m_face);
    m_bar = new KPMenuBarTimeDisplay::IndicatorView(m_face);
    m_bar->setGeometry(0, 0, viewWidth, 3);
    m_startPauseButton = makeButton(QStringLiteral("KPPlay"));
    m_skipButton = makeButton(QStringLiteral("KPSkip"));
    m_skipButton->setToolTip(ZKStatusMenu::tr("Skip"));
    m_skipButton->setAccessibleName(m_skipButton->toolTip());
    m_startPauseButton->move(viewWidth - 2 * buttonSize - 8, 4);
    m_skipButton->move(viewWidth - buttonSize - 4, 4);
    m_taskLabel = new QLabel(this);
    m_taskLabel->setGeometry(6, KPMenuBarTimeDisplay::viewHeight + 2, viewWidth - 12, 18);
    m_taskLabel->setFont(SystemStyle::systemFont(12));
    setTabOrder(m_startPauseButton, m_skipButton);

    connect(m_startPauseButton, &QToolButton::clicked, this, &ZKTimerView::startPause);
    connect(m_skipButton, &QToolButton::clicked, this, &ZKTimerView::skip);
    if (KPTimer* timer = display.timer()) {
        connect(timer, &KPTimer::stateChanged, this, &ZKTimerView::refresh);
        connect(timer, &KPTimer::currentTimeChanged, this, &ZKTimerView::refresh);
    }
    // The colour of a new period reaches the item as its accent.
    connect(display.statusItem(), &StatusItem::appearanceChanged, this, &ZKTimerView::refresh);
    if (tasks)
        connect(tasks, &KPTaskManager::tasksChanged, this, &ZKTimerView::showTask);
    refresh();
    showTask();
}

ZKTimerView::~ZKTimerView() = default;

QToolButton* ZKTimerView::makeButton(const QString& image)
{
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setIconSize(QSize(buttonSize - 2, buttonSize - 2));
    button->resize(buttonSize, buttonSize);
    button->setProperty("image", image);
    return button;
}

void ZKTimerView::applyImages()
{
    m_imagesShownFor = m_running;
    const QColor glyph = SystemStyle::labelColor(palette());
    m_startPauseButton->setProperty("image", m_running ? QStringLiteral("KPPause")
                                                       : QStringLiteral("KPPlay"));
    for (QToolButton* button : {m_startPauseButton, m_skipButton})
        button->setIcon(
            Images::templateIcon(button->property("image").toString(), button->iconSize(), glyph));
}

void ZKTimerView::startPause()
{
    if (KPTimer* timer = m_display.timer())
        timer->toggle();
}

void ZKTimerView::skip()
{
    if (KPTimer* timer = m_display.timer())
        timer->finish();
}

void ZKTimerView::refresh()
{
    const KPTimer* timer = m_display.timer();
    m_running = timer && timer->state() == KPTimer::State::active;
    const KPTime time = timer ? timer->currentTime() : KPTime{};
    m_digits->setTime(time);
    m_digits->layOut(KPTimeDigits::Size::regular, false, 4);
    m_digits->paint(false, m_running || (timer && timer->isLooping()), palette());
    m_bar->setBackgroundColor(m_display.indicatorColor());
    const QString action = m_running ? ZKPopover::tr("Pause Timer") : ZKPopover::tr("Resume Timer");
    m_startPauseButton->setToolTip(action);
    m_startPauseButton->setAccessibleName(action);
    // A stopwatch has no period to end.
    m_skipButton->setEnabled(timer && timer->countType() == KPTimer::CountType::down);
    const QString spoken =
        KPTimeDigits::spokenText(time, timer && timer->countType() == KPTimer::CountType::up);
    setAccessibleName(tr("Timer"));
    setAccessibleDescription(spoken);
    m_startPauseButton->setAccessibleDescription(spoken);
    // Drawn again only when play turns into pause or back, not at every second.
    if (m_imagesShownFor != m_running)
        applyImages();
}

void ZKTimerView::showTask()
{
    QString task;
    if (m_tasks) {
        for (const KPTask& each : std::as_const(m_tasks->tasks)) {
            if (!each.isCompleted) {
                task = each.string;
                break;
            }
        }
    }
    const QString text = task.isEmpty() ? tr("No open task") : task;
    m_taskLabel->setText(
        m_taskLabel->fontMetrics().elidedText(text, Qt::ElideRight, m_taskLabel->width()));
    m_taskLabel->setToolTip(text);
    m_taskLabel->setAccessibleName(task.isEmpty() ? text : tr("Current task: %1").arg(task));
}

void ZKTimerView::mousePressEvent(QMouseEvent* event)
{
    // The window has no frame: it is moved by its face.
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    QWindow* handle = window()->windowHandle();
    m_dragOffset = handle && handle->startSystemMove()
                       ? QPoint()
                       : event->globalPosition().toPoint() - window()->pos();
}

void ZKTimerView::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && !m_dragOffset.isNull())
        window()->move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

void ZKTimerView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_startPauseButton) {
        applyImages();
        refresh();
    }
}
