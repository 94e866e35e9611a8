#include "GlobalShortcuts.h"

#include "platform/store/Defaults.h"

namespace {
GlobalShortcuts* installed = nullptr;
}

GlobalShortcuts::GlobalShortcuts(Defaults& store, QObject* parent) : QObject(parent), m_store(store)
{
    connect(&m_store, &Defaults::valueChanged, this, [this](const QString& key) {
        if (isBound(key))
            follow(key);
    });
}

GlobalShortcuts::~GlobalShortcuts()
{
    if (installed == this)
        installed = nullptr;
}

GlobalShortcuts* GlobalShortcuts::shared()
{
    return installed;
}

void GlobalShortcuts::setShared(GlobalShortcuts* shortcuts)
{
    installed = shortcuts;
}

GlobalShortcuts::Backend GlobalShortcuts::chooseBackend(bool onX11, bool waylandSession,
                                                        bool portalAvailable)
{
    if (waylandSession && portalAvailable)
        return Backend::portal;
    if (onX11)
        return Backend::x11;
    return portalAvailable ? Backend::portal : Backend::none;
}

void GlobalShortcuts::bind(const QString& key, const QString& description, QObject* context,
                           Action action)
{
    Binding& binding = m_bindings[key];
    connect(context, &QObject::destroyed, this, &GlobalShortcuts::contextDestroyed,
            Qt::UniqueConnection);
    binding.description = description;
    binding.context = context;
    binding.action = std::move(action);
    follow(key);
}

void GlobalShortcuts::contextDestroyed(QObject* context)
{
    // Several keys may share a context; collect first, the loop changes the map.
    QStringList keys;
    for (auto it = m_bindings.cbegin(); it != m_bindings.cend(); ++it)
        if (it->context == context)
            keys.append(it.key());
    for (const QString& key : keys)
        unbind(key);
}

void GlobalShortcuts::unbind(const QString& key)
{
    if (m_bindings.value(key).grabbed)
        release(key);
    m_bindings.remove(key);
    Q_EMIT changed(key);
}

void GlobalShortcuts::follow(const QString& key)
{
    const QKeySequence stored = shortcut(key);
    const std::optional<QKeyCombination> wanted =
        stored.isEmpty() ? std::nullopt : std::optional(stored[0]);
    Binding& binding = m_bindings[key];
    if (binding.grabbed == wanted)
        return;
    if (binding.grabbed)
        release(key);
    binding.grabbed = wanted;
    binding.status = wanted ? Status::pending : Status::none;
    if (wanted)
        grab(key, binding.description, *wanted); // may report at once
    Q_EMIT changed(key);
}

QKeySequence GlobalShortcuts::shortcut(const QString& key) const
{
    return fromStoredText(m_store.string(key).value_or(QString()));
}

bool GlobalShortcuts::setShortcut(const QString& key, const QKeySequence& shortcut)
{
    return m_store.setString(key, toStoredText(shortcut)) || m_store.isWaitingForLock();
}

GlobalShortcuts::Status GlobalShortcuts::status(const QString& key) const
{
    return m_bindings.value(key).status;
}

QString GlobalShortcuts::statusText(Status status)
{
    switch (status) {
    case Status::taken:
        return tr("Taken by another application");
    case Status::refused:
        return tr("Not accepted by the desktop");
    case Status::notOnKeyboard:
        return tr("No such key on this keyboard");
    case Status::unavailable:
        return tr("Global shortcuts are not available on this desktop");
    case Status::none:
    case Status::pending:
    case Status::active:
        break;
    }
    return QString();
}

bool GlobalShortcuts::needsModifier(const QKeyCombination& combination)
{
    const Qt::Key key = combination.key();
    const bool standsAlone = (key >= Qt::Key_F1 && key <= Qt::Key_F35) ||
                             (key >= Qt::Key_Back && key != Qt::Key_unknown);
    return !standsAlone && !(combination.keyboardModifiers() &
                             (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

QKeySequence GlobalShortcuts::fromStoredText(const QString& text)
{
    const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    // A control character reads as key 0: modifiers with no key at all.
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown ||
        sequence[0].key() == Qt::Key(0))
        return QKeySequence();
    return sequence;
}

QString GlobalShortcuts::toStoredText(const QKeySequence& shortcut)
{
    if (shortcut.isEmpty())
        return QString();
    return QKeySequence(shortcut[0]).toString(QKeySequence::PortableText);
}

void GlobalShortcuts::grab(const QString& key, const QString&, const QKeyCombination&)
{
    setStatus(key, Status::unavailable);
}

void GlobalShortcuts::release(const QString&) {}

void GlobalShortcuts::activate(const QString& key)
{
    const auto it = m_bindings.constFind(key);
    if (it != m_bindings.cend() && it->action) {
        // The action may bind or unbind and so change the map: run a copy.
        const Action action = it->action;
        action();
    }
}

void GlobalShortcuts::setStatus(const QString& key, Status status)
{
    const auto it = m_bindings.find(key);
    if (it == m_bindings.end() || !it->grabbed || it->status == status)
        return;
    it->status = status;
    Q_EMIT changed(key);
}

QHash<QString, QKeyCombination> GlobalShortcuts::grabbedCombinations() const
{
    QHash<QString, QKeyCombination> grabbed;
    for (auto it = m_bindings.cbegin(); it != m_bindings.cend(); ++it)
        if (it->grabbed)
            grabbed.insert(it.key(), *it->grabbed);
    return grabbed;
}

QString GlobalShortcuts::description(const QString& key) const
{
    return m_bindings.value(key).description;
}
