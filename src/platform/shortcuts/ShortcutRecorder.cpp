#include "ShortcutRecorder.h"

#include "GlobalShortcuts.h"
#include "platform/SystemStyle.h"

#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLineEdit>
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
    // A screen reader meets the sequence editor, which takes the keys, and its
    // own line edit, which shows them.
    m_editor->setAccessibleName(tr("Shortcut"));
    if (auto* field = m_editor->findChild<QLineEdit*>())
        field->setAccessibleName(tr("Shortcut"));
    m_editor->installEventFilter(this);
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

bool ShortcutRecorder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_editor || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* press = static_cast<const QKeyEvent*>(event);
    const int key = press->key();
    // Modifiers alone are left to the field, which shows them while held.
    if (key == 0 || key == Qt::Key_unknown || key == Qt::Key_Control || key == Qt::Key_Shift ||
        key == Qt::Key_Alt || key == Qt::Key_Meta || key == Qt::Key_AltGr)
        return false;
    if (press->modifiers() == Qt::NoModifier) {
        // Plain Escape stops recording (a second one closes the window); plain
        // Backspace or Delete clears, as the button does.
        if (key == Qt::Key_Escape) {
            m_editor->clearFocus();
            refresh();
            return true;
        }
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            m_editor->clearFocus();
            clearShortcut();
            return true;
        }
    }
    record(QKeyCombination(modifiersOf(*press), Qt::Key(key)));
    return true;
}

Qt::KeyboardModifiers ShortcutRecorder::modifiersOf(const QKeyEvent& press)
{
    Qt::KeyboardModifiers modifiers = press.modifiers() & (Qt::ControlModifier | Qt::AltModifier |
                                                           Qt::MetaModifier | Qt::KeypadModifier);
    // Shift counts unless it only chose the symbol typed ("!" is Shift+1 on
    // many layouts): the symbol says it already.
    const QString text = press.text();
    if (press.modifiers().testFlag(Qt::ShiftModifier) &&
        (text.isEmpty() || !text.at(0).isPrint() || text.at(0).isLetterOrNumber() ||
         text.at(0).isSpace()))
        modifiers |= Qt::ShiftModifier;
    return modifiers;
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

void ShortcutRecorder::record(const QKeyCombination& combination)
{
    GlobalShortcuts* shortcuts = GlobalShortcuts::shared();
    if (m_key.isEmpty() || !shortcuts) {
        refresh();
        return;
    }
    if (GlobalShortcuts::needsModifier(combination)) {
        refresh();
        showMessage(tr("Hold Ctrl, Alt or Meta with this key"), false);
    } else if (!shortcuts->setShortcut(m_key, QKeySequence(combination))) {
        refresh();
        showMessage(tr("The shortcut could not be stored"), false);
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
    // Also ends a recording the field had begun with a modifier.
    m_editor->setKeySequence(stored);
    m_clearButton->setEnabled(!stored.isEmpty());
    const GlobalShortcuts::Status status =
        shortcuts ? shortcuts->status(m_key) : GlobalShortcuts::Status::unavailable;
    showMessage(GlobalShortcuts::statusText(status));
}

void ShortcutRecorder::showMessage(const QString& message, bool aboutTheShownCombination)
{
    if (message == m_message)
        return;
    m_message = message;
    setToolTip(message);
    m_editor->setToolTip(message);
    m_editor->setAccessibleDescription(message);
    if (aboutTheShownCombination) {
        // The combination shown does not work: it is shown in red.
        QPalette palette = m_editor->palette();
        palette.setColor(QPalette::Text, message.isEmpty()
                                             ? QWidget::palette().color(QPalette::Text)
                                             : SystemStyle::systemRedColor());
        m_editor->setPalette(palette);
    }
    if (!message.isEmpty())
        announce();
}

void ShortcutRecorder::announce()
{
    // Too long for the field: it stands below it for a while, as a tooltip does.
    if (isVisible())
        QToolTip::showText(mapToGlobal(QPoint(0, height())), m_message, this);
}
