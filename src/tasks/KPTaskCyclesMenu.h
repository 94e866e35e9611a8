#pragma once

#include <QMenu>
#include <optional>

class QToolButton;
class QWidgetAction;

// The small pop-up menu of a task's cycle count: one item holding an increase
// and a decrease button. The item carries the row it was opened for.
class KPTaskCyclesMenu : public QMenu
{
    Q_OBJECT

public:
    explicit KPTaskCyclesMenu(QWidget* parent = nullptr);

    QWidgetAction* item() const { return m_item; }
    QToolButton* increaseButton() const { return m_increaseButton; }
    QToolButton* decreaseButton() const { return m_decreaseButton; }

    void setRepresentedRow(int row);
    // Nothing unless the item carries an integer.
    std::optional<int> representedRow() const;

Q_SIGNALS:
    void increaseCycleCount();
    void decreaseCycleCount();

protected:
    void changeEvent(QEvent* event) override;

private:
    QToolButton* makeButton(QWidget* parent, int x, const QString& toolTip);
    void updateImages();

    QWidgetAction* m_item = nullptr;
    QToolButton* m_increaseButton = nullptr;
    QToolButton* m_decreaseButton = nullptr;
};
