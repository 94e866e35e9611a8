#pragma once

#include <QPlainTextEdit>
#include <QPointer>

// The wrapping field in which a task's text is edited. Return or losing focus
// (to anything but the editing controls) commits; Escape gives up the change.
// Either ends editing once.
class KPTaskTextEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit KPTaskTextEditor(QWidget* parent = nullptr);

    void setTextColor(const QColor& color);
    bool hasEnded() const { return m_hasEnded; }
    // Widgets that act on the edited task: the focus may move to them, and
    // between them, without ending the edit.
    void setEditingControls(QList<QPointer<QWidget>> controls) { m_controls = std::move(controls); }

Q_SIGNALS:
    void committed();
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void end(bool commit);
    bool isEditingControl(const QWidget* widget) const;

    bool m_hasEnded = false;
    bool m_isFollowingFocus = false;
    QList<QPointer<QWidget>> m_controls;
};
