#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Defaults;

// System-wide key combinations, one per defaults key, stored there as text in
// QKeySequence's portable form ("Ctrl+Alt+P"; empty when cleared). A bound key
// follows its stored value: a combination recorded or cleared later takes
// effect without binding again. The desktop service behind it (X11 grabs, the
// desktop portal) is chosen at run time by create(); this base class stands
// for a desktop that offers none and reports every combination unavailable.
class GlobalShortcuts : public QObject
{
    Q_OBJECT

public:
    enum class Status
    {
        none,          // not bound, or no combination stored
        pending,       // asked for, no answer yet
        active,        // pressing it anywhere runs the action
        taken,         // another application holds it
        refused,       // the desktop declined it
        notOnKeyboard, // the keyboard layout has no such key
        unavailable,   // no desktop service for global shortcuts
    };
    enum class Backend
    {
        x11,
        portal,
        none
    };
    using Action = std::function<void()>;

    // Binds to the keys of store, which must outlive this object.
    explicit GlobalShortcuts(Defaults& store, QObject* parent = nullptr);
    ~GlobalShortcuts() override;

    // The service that suits the desktop this process runs on; never null.
    static std::unique_ptr<GlobalShortcuts> create(Defaults& store);
    // A Wayland session asks the portal; X11 grabs keys itself (also under
    // XWayland when no portal offers shortcuts, where it sees X clients' keys).
    static Backend chooseBackend(bool onX11, bool waylandSession, bool portalAvailable);

    // The process's binder, installed by the application (and by tests); none
    // when nothing installed one.
    static GlobalShortcuts* shared();
    static void setShared(GlobalShortcuts* shortcuts);

    // From now on, until context is destroyed, pressing the combination stored
    // under key runs action on the GUI thread. Binding a key again replaces
    // its action. The description names the action where the desktop lists it.
    void bind(const QString& key, const QString& description, QObject* context, Action action);
    bool isBound(const QString& key) const { return m_bindings.contains(key); }

    // The stored combination; empty when none or when the stored value is unreadable.
    QKeySequence shortcut(const QString& key) const;
    // Stores one combination (only the first of a sequence) or, when empty,
    // the cleared value; returns whether it is stored, or kept until the
    // store's lock comes free.
    bool setShortcut(const QString& key, const QKeySequence& shortcut);
    Status status(const QString& key) const;
    // What the recorder tells the user; empty when there is nothing to tell.
    static QString statusText(Status status);

    // A key that types text, taken without Ctrl, Alt or Meta, would stop that
    // text from being typed anywhere; only function and media keys go alone.
    static bool needsModifier(const QKeyCombination& combination);

    static QKeySequence fromStoredText(const QString& text);
    static QString toStoredText(const QKeySequence& shortcut);

Q_SIGNALS:
    // The stored combination or the status of a key changed.
    void changed(const QString& key);

protected:
    // Takes the combination for key, replacing any earlier one of that key,
    // and reports the outcome through setStatus(), now or later.
    virtual void grab(const QString& key, const QString& description,
                      const QKeyCombination& combination);
    // Gives up the combination of key, if it holds one.
    virtual void release(const QString& key);

    // Backends report presses and outcomes here.
    void activate(const QString& key);
    void setStatus(const QString& key, Status status);
    // Keys whose combinations are grabbed (or asked for), with them.
    QHash<QString, QKeyCombination> grabbedCombinations() const;
    QString description(const QString& key) const;

private:
    struct Binding
    {
        QString description;
        const QObject* context = nullptr;
        Action action;
        std::optional<QKeyCombination> grabbed;
        Status status = Status::none;
    };

    void follow(const QString& key);
    void unbind(const QString& key);
    void contextDestroyed(QObject* context);

    Defaults& m_store;
    QHash<QString, Binding> m_bindings;
};
