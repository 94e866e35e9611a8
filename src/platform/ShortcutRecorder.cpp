#include "ShortcutRecorder.h"

#include "GlobalShortcuts.h"
#include "SystemStyle.h"

#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>

ShortcutRecorder::ShortcutRecorder(QWidget* parent)
    : QWidget(parent), m_editor(new QKeySequenceEdit(this)), m_clearButton(new QToolButton(this))
{
    m_clearButton->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
    m_clearButton->setAutoRaise(true);
    m_clearButton->setToolTip(tr("Clear"));
    m_clearButton->setAccessibleName(tr("Clear"));
    connect(m_editor, &QKeySequenceEdit::keySequenceChanged, this, &ShortcutRecorder::record);
    // Left without a key (only a modifier pressed, or focus moved away): show
    // the stored combination again, which is still in force.
    connect(m_editor, &QKeySequenceEdit::editingFinished, this, &ShortcutRecorder::refresh);
    connect(m_clearButton, &QToolButton::clicked, this, &ShortcutRecorder::clearShortcut);
    if (GlobalShortcuts* shortcuts = GlobalShortcuts::shared()) {
        connect(shortcuts, &GlobalShortcuts::changed, this, [this](const QString& key) {
            if (key == m_key)
                refresh();
        });
    }
    refresh();
}

void ShortcutRecorder::setAssociatedDefaultsKey(const QString& key)
{
    m_key = key;
    refresh();
}

void ShortcutRecorder::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int side = height();
    m_editor->setGeometry(0, 0, qMax(0, width() - side - 2), side);
    m_clearButton->setGeometry(width() - side, 0, side, side);
}

void ShortcutRecorder::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_message.isEmpty())
        announce();
}

void ShortcutRecorder::record(const QKeySequence& sequence)
{
    GlobalShortcuts* shortcuts = GlobalShortcuts::shared();
    // The field empties itself when a new recording starts: that clears nothing.
    if (sequence.isEmpty() || m_key.isEmpty() || !shortcuts)
        return;
    const QKeySequence combination(sequence[0]);
    {
        // One combination: the next key pressed starts a new recording.
        const QSignalBlocker blocker(m_editor);
        m_editor->setKeySequence(combination);
    }
    if (GlobalShortcuts::needsModifier(combination[0])) {
        refresh();
        showMessage(tr("Hold Ctrl, Alt or Meta with this key"));
    } else if (!shortcuts->setShortcut(m_key, combination)) {
        refresh();
        showMessage(tr("The shortcut could not be stored"));
    } else {
        refresh();
    }
}

void ShortcutRecorder::clearShortcut()
{
    if (GlobalShortcuts* shortcuts = GlobalShortcuts::shared(); shortcuts && !m_key.isEmpty())
        shortcuts->setShortcut(m_key, QKeySequence());
    refresh();
}

void ShortcutRecorder::refresh()
{
    GlobalShortcuts* shortcuts = GlobalShortcuts::shared();
    const QKeySequence stored =
        shortcuts && !m_key.isEmpty() ? shortcuts->shortcut(m_key) : QKeySequence();
    if (m_editor->keySequence() != stored) {
        const QSignalBlocker blocker(m_editor);
        m_editor->setKeySequence(stored);
    }
    m_clearButton->setEnabled(!stored.isEmpty());
    const GlobalShortcuts::Status status =
        shortcuts ? shortcuts->status(m_key) : GlobalShortcuts::Status::unavailable;
    showMessage(GlobalShortcuts::statusText(status));
}

void ShortcutRecorder::showMessage(const QString& message)
{
    if (message == m_message)
        return;
    m_message = message;
    setToolTip(message);
    m_editor->setToolTip(message);
    m_editor->setAccessibleDescription(message);
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Text, message.isEmpty() ? QWidget::palette().color(QPalette::Text)
                                                       : SystemStyle::systemRedColor());
    m_editor->setPalette(palette);
    if (!message.isEmpty())
        announce();
}

void ShortcutRecorder::announce()
{
    // Too long for the field: it stands below it for a while, as a tooltip does.
    if (isVisible())
        QToolTip::showText(mapToGlobal(QPoint(0, height())), m_message, this);
}
