#include "WindowStatusItem.h"

#include "StatusItemWindow.h"
#include "X11SystemTray.h"

WindowStatusItem::WindowStatusItem() : m_window(std::make_unique<StatusItemWindow>())
{
    m_window->hold(button());
    X11SystemTray::setApplicationClass(m_window.get());
    m_window->show();
}

WindowStatusItem::~WindowStatusItem()
{
    // The button belongs to the base class: take it out of the window first.
    m_window->release();
}

QWidget* WindowStatusItem::window() const
{
    return m_window.get();
}

QRect WindowStatusItem::buttonGeometry() const
{
    return QRect(m_window->geometry().topLeft() + button()->pos(), button()->size());
}
