#pragma once

#include <QPlainTextEdit>

// The wrapping field in which a task's text is edited. Return or losing focus
// commits; Escape gives up the change. Either ends editing once.
class KPTaskTextEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit KPTaskTextEditor(QWidget* parent = nullptr);

    void setTextColor(const QColor& color);
    bool hasEnded() const { return m_hasEnded; }

Q_SIGNALS:
    void committed();
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void end(bool commit);

    bool m_hasEnded = false;
};
