#pragma once

#include "views/KPUtilityWindow.h"

class AwayController;
class QPushButton;

// Asks, on the user's return, what the time without input was: kept as work,
// or discarded and given back to the period. Closing it keeps it.
class ZKIdlePromptWindow : public KPUtilityWindow
{
    Q_OBJECT

public:
    ZKIdlePromptWindow(StatusItem* statusItem, AwayController& controller);
    ~ZKIdlePromptWindow() override;

    static QString question(qint64 seconds);

    QLabel* questionLabel() const { return m_questionLabel; }
    QPushButton* keepButton() const { return m_keepButton; }
    QPushButton* discardButton() const { return m_discardButton; }

    void ask(qint64 seconds);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void layOutContent();

    AwayController& m_controller;
    QLabel* m_questionLabel = nullptr;
    QPushButton* m_keepButton = nullptr;
    QPushButton* m_discardButton = nullptr;
};
