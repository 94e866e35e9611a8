#include "ZKIdlePromptWindow.h"

#include "platform/Frame.h"
#include "timing/AwayController.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

ZKIdlePromptWindow::ZKIdlePromptWindow(StatusItem* statusItem, AwayController& controller)
    : KPUtilityWindow(statusItem, tr("Welcome Back"), 220, 92), m_controller(controller)
{
    QWidget* view = utilityView();
    m_questionLabel = new QLabel(view);
    m_questionLabel->setAlignment(Qt::AlignCenter);
    m_keepButton = new QPushButton(tr("Keep as Work"), view);
    m_discardButton = new QPushButton(tr("Discard"), view);
    m_keepButton->setAccessibleDescription(tr("Count the time away as work"));
    m_discardButton->setAccessibleDescription(tr("Give the time away back to the period"));
    layOutContent();
    // Return presses the focused one, as in a dialog; Keep has the focus first.
    m_keepButton->setAutoDefault(true);
    m_discardButton->setAutoDefault(true);
    setTabOrder(m_keepButton, m_discardButton);
    connect(m_keepButton, &QPushButton::clicked, this, [this] {
        m_controller.keepIdleAsWork();
        close();
    });
    connect(m_discardButton, &QPushButton::clicked, this, [this] {
        m_controller.discardIdle();
        close();
    });
    connect(&controller, &AwayController::idleReturned, this, &ZKIdlePromptWindow::ask);
    connect(&controller, &AwayController::idleQuestionWithdrawn, this, &QWidget::close);
}

ZKIdlePromptWindow::~ZKIdlePromptWindow() = default;

QString ZKIdlePromptWindow::question(qint64 seconds)
{
    const qint64 minutes = seconds / 60;
    return minutes == 1 ? tr("You were away 1 minute.")
                        : tr("You were away %1 minutes.").arg(minutes);
}

void ZKIdlePromptWindow::ask(qint64 seconds)
{
    m_questionLabel->setText(question(seconds));
    m_questionLabel->setAccessibleName(m_questionLabel->text());
    layOutContent();
    makeKeyAndOrderFront();
    m_keepButton->setFocus();
}

void ZKIdlePromptWindow::layOutContent()
{
    // A language's longer words widen the buttons and the window, never shrink the font.
    const int keepWidth = std::max(108, m_keepButton->sizeHint().width());
    const int discardWidth = std::max(88, m_discardButton->sizeHint().width());
    fitWidth(std::max(keepWidth + discardWidth + 24, m_questionLabel->sizeHint().width() + 10));
    const int width = utilityView()->width();
    Frame::set(m_questionLabel, QRect(5, 40, width - 10, 24));
    const int left = (width - keepWidth - 8 - discardWidth) / 2;
    Frame::set(m_keepButton, QRect(left, 8, keepWidth, 26));
    Frame::set(m_discardButton, QRect(left + keepWidth + 8, 8, discardWidth, 26));
}

void ZKIdlePromptWindow::hideEvent(QHideEvent* event)
{
    // Closed without an answer: the time stays counted, as it was.
    m_controller.keepIdleAsWork();
    KPUtilityWindow::hideEvent(event);
}
