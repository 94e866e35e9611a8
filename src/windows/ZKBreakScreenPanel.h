#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QScreen;

// One monitor's part of the break screen: dimmed, over everything, with the
// break's time, the task and the two ways out. It grabs nothing: Escape
// reaches it only while it has the focus, as any window's keys do.
class ZKBreakScreenPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ZKBreakScreenPanel(QScreen* screen, QWidget* parent = nullptr);

    // The time as digits, and as a screen reader says it.
    void setTexts(const QString& title, const QString& time, const QString& spokenTime,
                  const QString& task);
    QPushButton* skipButton() const { return m_skip; }
    QPushButton* postponeButton() const { return m_postpone; }
    QScreen* shownScreen() const { return m_screen; }

Q_SIGNALS:
    void skipClicked();
    void postponeClicked();
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QScreen* m_screen;
    QLabel* m_title;
    QLabel* m_time;
    QLabel* m_task;
    QPushButton* m_skip;
    QPushButton* m_postpone;
};
