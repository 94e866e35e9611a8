#include "KPTaskTextEditor.h"

#include <QKeyEvent>
#include <QTextDocument>
#include <QTextOption>

KPTaskTextEditor::KPTaskTextEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
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
    if (event->reason() != Qt::PopupFocusReason)
        end(true);
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
