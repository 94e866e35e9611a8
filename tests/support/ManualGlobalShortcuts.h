#pragma once

#include "platform/shortcuts/GlobalShortcuts.h"

#include <QList>
#include <QStringList>

// Global shortcuts on a desktop that exists only in a test: presses and other
// applications' grabs happen when the test says so. Installs itself as the
// shared binder for its lifetime.
class ManualGlobalShortcuts : public GlobalShortcuts
{
    Q_OBJECT

public:
    // The base's destructor uninstalls it.
    explicit ManualGlobalShortcuts(Defaults& store) : GlobalShortcuts(store) { setShared(this); }

    // Presses the combination anywhere on the desktop; returns how many
    // actions it ran.
    int press(const QKeySequence& combination)
    {
        int ran = 0;
        const QHash<QString, QKeyCombination> held = grabbedCombinations();
        for (auto it = held.cbegin(); it != held.cend(); ++it) {
            if (it.value() == combination[0] && status(it.key()) == Status::active) {
                activate(it.key());
                ++ran;
            }
        }
        return ran;
    }
    // From now on another application holds the combination.
    void takeByAnotherApplication(const QKeySequence& combination)
    {
        m_taken.append(combination[0]);
    }
    // The combinations held now, by key.
    QHash<QString, QKeyCombination> held() const { return grabbedCombinations(); }

protected:
    void grab(const QString& key, const QString&, const QKeyCombination& combination) override
    {
        setStatus(key, m_taken.contains(combination) ? Status::taken : Status::active);
    }

private:
    QList<QKeyCombination> m_taken;
};
