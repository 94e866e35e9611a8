#pragma once

class KPTimeEditor;

// Told when the user finishes editing a field and when the user confirms the
// edited time; in both cases the editor's time already holds the carried fields.
class KPTimeEditorDelegate
{
public:
    virtual void timeEditorDidEndEditing(KPTimeEditor* editor) = 0;
    virtual void timeEditorDidConfirm(KPTimeEditor* editor) = 0;

protected:
    ~KPTimeEditorDelegate() = default;
};
