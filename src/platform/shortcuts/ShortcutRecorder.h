#pragma once

#include <QWidget>

class QKeyEvent;
class QKeySequenceEdit;
class QToolButton;

// Records one global key combination for a defaults key: a key-sequence field
// that takes each combination pressed in it as the new one, and a button that
// clears the combination. It shows what is stored under its key, stores what the
// user records there (through the shared binder), and says when the desktop
// does not let the combination work.
class ShortcutRecorder : public QWidget
{
    Q_OBJECT

public:
    explicit ShortcutRecorder(QWidget* parent = nullptr);

    QString associatedDefaultsKey() const { return m_key; }
    void setAssociatedDefaultsKey(const QString& key);

    QKeySequenceEdit* editor() const { return m_editor; }
    QToolButton* clearButton() const { return m_clearButton; }
    // Why the combination shown does not work, or what was wrong with the one
    // just pressed; empty while all is well.
    QString message() const { return m_message; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static Qt::KeyboardModifiers modifiersOf(const QKeyEvent& press);
    void record(const QKeyCombination& combination);
    void clearShortcut();
    void refresh();
    void showMessage(const QString& message, bool aboutTheShownCombination = true);
    void announce();

    QKeySequenceEdit* m_editor = nullptr;
    QToolButton* m_clearButton = nullptr;
    QString m_key;
    QString m_message;
};
