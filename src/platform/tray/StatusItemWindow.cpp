#include "StatusItemWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

StatusItemWindow::StatusItemWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Zembrak"));
    setAutoFillBackground(true);
}

StatusItemWindow::~StatusItemWindow()
{
    release();
}

void StatusItemWindow::hold(QWidget* button)
{
    if (m_button == button)
        return;
    release();
    m_button = button;
    button->setParent(this, Qt::Widget);
    button->move(0, 0);
    button->installEventFilter(this);
    button->show();
    resize(button->size().expandedTo(QSize(1, 1)));
    place();
}

void StatusItemWindow::release()
{
    if (!m_button)
        return;
    m_button->removeEventFilter(this);
    m_button->hide();
    m_button->setParent(nullptr);
    m_button = nullptr;
}

void StatusItemWindow::setPlace(std::optional<QPoint> topLeft)
{
    m_place = topLeft;
    place();
}

void StatusItemWindow::place()
{
    if (m_place) {
        move(*m_place);
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    move(available.right() + 1 - width(), available.top());
}

bool StatusItemWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_button && event->type() == QEvent::Resize) {
        resize(m_button->size().expandedTo(QSize(1, 1)));
        place();
    }
    return QWidget::eventFilter(watched, event);
}
