#pragma once

#include "views/KPUtilityWindow.h"

class KPSlider;
class KPTimeEditor;
class QPushButton;

// "Time Settings": the lengths of work periods, short and long breaks and the
// number of work periods per long break. Nothing is stored until "Save" (or
// Return), which also restarts the period under way at its new length.
class ZKTimeSettingsWindow : public KPUtilityWindow
{
    Q_OBJECT

public:
    explicit ZKTimeSettingsWindow(StatusItem* statusItem);
    ~ZKTimeSettingsWindow() override;

    KPTimeEditor* workTimeEditor() const { return m_workTimeEditor; }
    KPTimeEditor* shortBreakTimeEditor() const { return m_shortBreakTimeEditor; }
    KPTimeEditor* longBreakTimeEditor() const { return m_longBreakTimeEditor; }
    KPSlider* longBreakIntervalSlider() const { return m_longBreakIntervalSlider; }
    QPushButton* saveButton() const { return m_saveButton; }

    // Loads the stored values, so edits that were not saved are gone.
    void makeKeyAndOrderFront() override;
    void save();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KPTimeEditor* m_workTimeEditor = nullptr;
    KPTimeEditor* m_shortBreakTimeEditor = nullptr;
    KPTimeEditor* m_longBreakTimeEditor = nullptr;
    KPSlider* m_longBreakIntervalSlider = nullptr;
    QPushButton* m_saveButton = nullptr;
};
