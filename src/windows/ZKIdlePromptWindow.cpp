#include "ZKIdlePromptWindow.h"

#include "platform/Frame.h"
#include "timing/AwayController.h"

#include <QLabel>
#include <QPushButton>

ZKIdlePromptWindow::ZKIdlePromptWindow(StatusItem* statusItem, AwayController& controller)
    : KPUtilityWindow(statusItem, tr("Welcome Back"), 220, 92), m_controller(controller)
{
    QWidget* view = utilityView();
    m_questionLabel = new QLabel(view);
    m_questionLabel->setAlignment(Qt::AlignCenter);
    Frame::set(m_questionLabel, QRect(5, 40, 210, 24));
    m_keepButton = new QPushButton(tr("Keep as Work"), view);
    m_discardButton = new QPushButton(tr("Discard"), view);
    m_keepButton->setAccessibleDescription(tr("Count the time away as work"));
    m_discardButton->setAccessibleDescription(tr("Give the time away back to the period"));
    Frame::set(m_keepButton, QRect(8, 8, 108, 26));
    Frame::set(m_discardButton, QRect(124, 8, 88, 26));
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
    makeKeyAndOrderFront();
    m_keepButton->setFocus();
}

void ZKIdlePromptWindow::hideEvent(QHideEvent* event)
{
    // Closed without an answer: the time stays counted, as it was.
    m_controller.keepIdleAsWork();
    KPUtilityWindow::hideEvent(event);
}
