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
    explicit ManualGlobalShortcuts(Defaults& store);
    ~ManualGlobalShortcuts() override;

    // Presses the combination anywhere on the desktop; returns how many
    // actions it ran.
    int press(const QKeySequence& combination);
    // From now on another application holds the combination.
    void takeByAnotherApplication(const QKeySequence& combination);
    // The combinations held now, by key.
    QHash<QString, QKeyCombination> held() const { return grabbedCombinations(); }

protected:
    void grab(const QString& key, const QString& description,
              const QKeyCombination& combination) override;

private:
    QList<QKeyCombination> m_taken;
};
