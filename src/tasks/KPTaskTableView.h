#pragma once

#include <QTableView>

class KPTaskList;

// The table of the task list: forwards clicks, drags, drops and the row menu
// to the list, and slides removed rows away. From the keyboard, the arrows
// move between cells, Return edits the row's task and Space checks it off.
class KPTaskTableView : public QTableView
{
    Q_OBJECT

public:
    explicit KPTaskTableView(KPTaskList& list, QWidget* parent = nullptr);

    // Where a drag at a viewport position would land: above row `row`, or onto it.
    struct DropTarget
    {
        int row = 0;
        bool isOnRow = false;
    };
    DropTarget dropTarget(const QPoint& position) const;

    // Shows a picture of a removed row sliding down and fading out.
    void slideAway(const QPixmap& row, const QRect& rect);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // The row the drop goes above, or nothing when it is refused.
    std::optional<int> acceptedDropRow(QDropEvent* event) const;
    void setDropIndicator(std::optional<int> row);
    void startDragging(int row);

    KPTaskList& m_list;
    QPoint m_pressPosition;
    QModelIndex m_pressedIndex;
    std::optional<int> m_dropIndicatorRow;
};
