#include "KPTaskTextEditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

KPTaskTextEditor::KPTaskTextEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setAccessibleName(tr("Task"));
    document()->setDocumentMargin(0);
    setViewportMargins(0, 0, 0, 0);
    // Opaque, so the row's drawn text does not show through while editing.
    setAutoFillBackground(true);
    viewport()->setAutoFillBackground(true);
}

void KPTaskTextEditor::setTextColor(const QColor& color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Text, color);
    setPalette(palette);
}

void KPTaskTextEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        end(true);
        return;
    case Qt::Key_Escape:
        event->accept();
        end(false);
        return;
    default:
        QPlainTextEdit::keyPressEvent(event);
    }
}

void KPTaskTextEditor::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    // The field's own context menu takes focus for a moment; that is not the end.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (!isEditingControl(QApplication::focusWidget())) {
        end(true);
        return;
    }
    // Gone to a control by keyboard: the edit ends when the focus leaves the controls.
    if (m_isFollowingFocus)
        return;
    m_isFollowingFocus = true;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != this && !isEditingControl(now))
            end(true);
    });
}

bool KPTaskTextEditor::isEditingControl(const QWidget* widget) const
{
    return widget &&
           std::any_of(m_controls.cbegin(), m_controls.cend(),
                       [widget](const QPointer<QWidget>& c) { return c.data() == widget; });
}

void KPTaskTextEditor::end(bool commit)
{
    if (m_hasEnded)
        return;
    m_hasEnded = true;
    if (commit)
        Q_EMIT committed();
    else
        Q_EMIT cancelled();
}
