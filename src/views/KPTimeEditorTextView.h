#pragma once

#include <QWidget>

class QLineEdit;

// One two-digit field of the time editor: a borderless text field in a small
// box with rounded corners.
class KPTimeEditorTextView : public QWidget
{
    Q_OBJECT

public:
    // Four digits bound every field (leading zeros aside), so no carry between
    // fields comes anywhere near the integer range.
    static constexpr int maximumDigits = 4;
    static constexpr int inset = 2;

    explicit KPTimeEditorTextView(QWidget* parent = nullptr);

    QLineEdit* textField() const { return m_textField; }
    // The width the text field needs to show its whole text.
    int fittingTextWidth() const;
    // The text field fits its text; the box leaves the inset on every side.
    void sizeToFit();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* m_textField = nullptr;
};
