#include "ZKTimeEditorWindow.h"

#include "platform/Frame.h"
#include "timing/KPTimer.h"
#include "views/KPTimeEditor.h"
#include "windows/AppDelegateInterface.h"

ZKTimeEditorWindow::ZKTimeEditorWindow(StatusItem* statusItem)
    : KPUtilityWindow(statusItem, tr("Edit Time"), 140, 58)
{
    m_timeEditor = new KPTimeEditor(130, 28, utilityView());
    Frame::setOrigin(m_timeEditor, 5, 5);
    m_timeEditor->setButtonType(KPTimeEditor::ButtonType::ok);
    m_timeEditor->setDelegate(this);
}

ZKTimeEditorWindow::~ZKTimeEditorWindow() = default;

void ZKTimeEditorWindow::makeKeyAndOrderFront()
{
    KPTimer* timer = AppDelegateInterface::currentTimer();
    if (!timer)
        return;
    m_timeEditor->setTime(timer->currentTime());
    m_timeEditor->updateFields();
    KPUtilityWindow::makeKeyAndOrderFront();
}

void ZKTimeEditorWindow::timeEditorDidEndEditing(KPTimeEditor*) {}

void ZKTimeEditorWindow::timeEditorDidConfirm(KPTimeEditor* editor)
{
    KPTimer* timer = AppDelegateInterface::currentTimer();
    if (!timer)
        return;
    timer->setCurrentTime(editor->time());
}
