#include "ManualGlobalShortcuts.h"

ManualGlobalShortcuts::ManualGlobalShortcuts(Defaults& store) : GlobalShortcuts(store)
{
    setShared(this);
}

ManualGlobalShortcuts::~ManualGlobalShortcuts() = default; // the base uninstalls it

int ManualGlobalShortcuts::press(const QKeySequence& combination)
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

void ManualGlobalShortcuts::takeByAnotherApplication(const QKeySequence& combination)
{
    m_taken.append(combination[0]);
}

void ManualGlobalShortcuts::grab(const QString& key, const QString&,
                                 const QKeyCombination& combination)
{
    setStatus(key, m_taken.contains(combination) ? Status::taken : Status::active);
}
