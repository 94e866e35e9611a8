#pragma once

#include "views/KPTimeEditorDelegate.h"
#include "views/KPUtilityWindow.h"

class KPTimeEditor;

// "Edit Time": overwrites the running timer's current time. The period
// length, the running state and the count direction stay as they are.
class ZKTimeEditorWindow : public KPUtilityWindow, public KPTimeEditorDelegate
{
    Q_OBJECT

public:
    explicit ZKTimeEditorWindow(StatusItem* statusItem);
    ~ZKTimeEditorWindow() override;

    KPTimeEditor* timeEditor() const { return m_timeEditor; }

    // Shows the timer's current time; without a timer the window stays hidden.
    void makeKeyAndOrderFront() override;

    void timeEditorDidEndEditing(KPTimeEditor* editor) override;
    void timeEditorDidConfirm(KPTimeEditor* editor) override;

private:
    KPTimeEditor* m_timeEditor = nullptr;
};
