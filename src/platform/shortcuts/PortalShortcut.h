#pragma once

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

// One shortcut as the desktop portal's GlobalShortcuts interface passes it:
// an id and its properties ("description", "preferred_trigger",
// "trigger_description"); on the bus the structure (sa{sv}).
struct PortalShortcut
{
    QString id;
    QVariantMap properties;

    // Makes the structure, its list and the object paths of the interface's
    // signals known to Qt DBus; safe to call again.
    static void registerMetaTypes();
};
using PortalShortcutList = QList<PortalShortcut>;

inline QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

inline const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

Q_DECLARE_METATYPE(PortalShortcut)

inline void PortalShortcut::registerMetaTypes()
{
    // Known by name before a signal carrying it is relayed, or Qt DBus drops
    // that signal without a word.
    qRegisterMetaType<QDBusObjectPath>();
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<PortalShortcutList>();
}
