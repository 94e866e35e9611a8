#pragma once

#include "timing/KPTime.h"

#include <QWidget>

class KPTimeEditorButton;
class KPTimeEditorDelegate;
class KPTimeEditorTextView;
class QLabel;
class QLineEdit;

// Hours, minutes and seconds as three editable two-digit fields, optionally
// followed by a small action button, laid out centred in the editor's bounds.
// What was typed is carried into canonical form when editing ends.
class KPTimeEditor : public QWidget
{
    Q_OBJECT

public:
    // delete_: the minus button ("delete" is taken by the language).
    enum class ButtonType
    {
        ok,
        delete_,
        add,
        none
    };

    static constexpr int fontSize = 13;
    static constexpr int buttonGap = 6;

    KPTimeEditor(int width, int height, QWidget* parent = nullptr);
    ~KPTimeEditor() override;

    KPTimeEditorDelegate* delegate() const { return m_delegate; }
    void setDelegate(KPTimeEditorDelegate* delegate) { m_delegate = delegate; }

    // Assigning the time leaves the fields alone until updateFields().
    KPTime time() const { return m_time; }
    void setTime(const KPTime& time) { m_time = time; }
    void updateFields();
    // Carries seconds and minutes of 60 or more into the next unit and takes
    // the result as the time.
    void commitFields();

    KPTimeEditorTextView* hours() const { return m_hours; }
    KPTimeEditorTextView* minutes() const { return m_minutes; }
    KPTimeEditorTextView* seconds() const { return m_seconds; }
    QLabel* hoursMinutesSeparator() const { return m_hoursMinutesSeparator; }
    QLabel* minutesSecondsSeparator() const { return m_minutesSecondsSeparator; }
    KPTimeEditorButton* button() const { return m_button; }
    // The three text fields, hours first.
    QList<QLineEdit*> fields() const;

    // Tab goes round the three fields; when not kept there, it goes on from the
    // seconds (and back-tab from the hours) in the window's order.
    bool keepsTabInFields() const { return m_keepsTabInFields; }
    void setKeepsTabInFields(bool keeps) { m_keepsTabInFields = keeps; }

    ButtonType buttonType() const { return m_buttonType; }
    void setButtonType(ButtonType type);
    // The layout waits for the next paint.
    bool needsRearrangement() const { return m_needsRearrangement; }
    void rearrange();

    // Template images of the button, stroked with a line width of 2.
    static QPixmap checkmarkImage(const QSize& size, const QColor& color,
                                  qreal devicePixelRatio = 1.0);
    static QPixmap plusImage(const QSize& size, const QColor& color, qreal devicePixelRatio = 1.0);
    static QPixmap minusImage(const QSize& size, const QColor& color, qreal devicePixelRatio = 1.0);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buttonClicked();
    void textDidEndEditing(bool returnPressed);
    void updateButton();

    KPTimeEditorDelegate* m_delegate = nullptr;
    KPTime m_time;
    KPTimeEditorTextView* m_hours = nullptr;
    KPTimeEditorTextView* m_minutes = nullptr;
    KPTimeEditorTextView* m_seconds = nullptr;
    QLabel* m_hoursMinutesSeparator = nullptr;
    QLabel* m_minutesSecondsSeparator = nullptr;
    KPTimeEditorButton* m_button = nullptr;
    ButtonType m_buttonType = ButtonType::ok;
    bool m_needsRearrangement = true;
    bool m_keepsTabInFields = true;
};
