#include "StatusNotifierItemAdaptor.h"

#include "StatusNotifierStatusItem.h"

#include <QDBusMetaType>

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(StatusNotifierStatusItem* item)
    : QDBusAbstractAdaptor(item), m_item(item)
{}

void StatusNotifierItemAdaptor::registerTypes()
{
    qDBusRegisterMetaType<SniIconPixmap>();
    qDBusRegisterMetaType<SniIconPixmapList>();
    qDBusRegisterMetaType<SniToolTip>();
}

SniIconPixmapList StatusNotifierItemAdaptor::iconPixmap() const
{
    return m_item->iconPixmaps();
}

QString StatusNotifierItemAdaptor::title() const
{
    return m_item->title();
}

SniToolTip StatusNotifierItemAdaptor::toolTip() const
{
    return m_item->toolTip();
}

QString StatusNotifierItemAdaptor::label() const
{
    return m_item->labelText();
}

QString StatusNotifierItemAdaptor::labelGuide() const
{
    return m_item->labelGuide();
}

void StatusNotifierItemAdaptor::Activate(int x, int y)
{
    m_item->activate(QPoint(x, y));
}

void StatusNotifierItemAdaptor::SecondaryActivate(int x, int y)
{
    m_item->secondaryActivate(QPoint(x, y));
}

void StatusNotifierItemAdaptor::ContextMenu(int x, int y)
{
    m_item->secondaryActivate(QPoint(x, y));
}

void StatusNotifierItemAdaptor::Scroll(int, const QString&)
{
    // Scrolling the time has no meaning here.
}
