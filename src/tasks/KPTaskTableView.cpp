#include "KPTaskTableView.h"

#include "tasks/KPTaskCellDelegate.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskTableModel.h"

#include <QApplication>
#include <QDrag>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <algorithm>

namespace {
constexpr int slideDuration = 200; // milliseconds
} // namespace

KPTaskTableView::KPTaskTableView(KPTaskList& list, QWidget* parent)
    : QTableView(parent), m_list(list)
{
    setDragDropMode(QAbstractItemView::DropOnly); // drags start here, by row
    setDropIndicatorShown(false);
    viewport()->setAcceptDrops(true);
}

KPTaskTableView::DropTarget KPTaskTableView::dropTarget(const QPoint& position) const
{
    const int row = rowAt(position.y());
    if (row < 0)
        return {model() ? model()->rowCount() : 0, false};
    const int top = rowViewportPosition(row);
    const int height = rowHeight(row);
    const int margin = std::max(2, height / 4);
    if (position.y() < top + margin)
        return {row, false};
    if (position.y() >= top + height - margin)
        return {row + 1, false};
    return {row, true};
}

std::optional<int> KPTaskTableView::acceptedDropRow(QDropEvent* event) const
{
    if (!event->mimeData() || !event->mimeData()->hasFormat(KPTaskList::pasteboardType))
        return std::nullopt;
    const QPoint position = event->position().toPoint();
    const DropTarget target = dropTarget(position);
    using Operation = KPTaskList::DropOperation;
    const QObject* source = event->source();
    if (m_list.validateDrop(source, target.isOnRow ? Operation::on : Operation::above,
                            target.row) == Qt::MoveAction)
        return target.row;
    if (!target.isOnRow)
        return std::nullopt;
    // Onto a row is refused; between rows at the nearer edge is offered instead.
    const int middle = rowViewportPosition(target.row) + rowHeight(target.row) / 2;
    const int above = position.y() < middle ? target.row : target.row + 1;
    if (m_list.validateDrop(source, Operation::above, above) == Qt::MoveAction)
        return above;
    return std::nullopt;
}

void KPTaskTableView::setDropIndicator(std::optional<int> row)
{
    if (row == m_dropIndicatorRow)
        return;
    m_dropIndicatorRow = row;
    viewport()->update();
}

void KPTaskTableView::keyPressEvent(QKeyEvent* event)
{
    const int row = currentIndex().row();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (row >= 0 && plain) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            event->accept();
            m_list.beginEditing(row);
            return;
        case Qt::Key_Space:
            event->accept();
            m_list.checkboxClicked(row);
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void KPTaskTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Editing ends through the editor itself, never because the current cell
    // moved; otherwise the cell is shown and announced as the view does.
    if (previous.isValid() && indexWidget(previous)) {
        update(previous);
        return;
    }
    QTableView::currentChanged(current, previous);
}

void KPTaskTableView::mousePressEvent(QMouseEvent* event)
{
    m_pressPosition = event->position().toPoint();
    m_pressedIndex = event->button() == Qt::LeftButton ? indexAt(m_pressPosition) : QModelIndex();
    QTableView::mousePressEvent(event);
}

void KPTaskTableView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && m_pressedIndex.isValid() &&
        (position - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
        const int row = m_pressedIndex.row();
        m_pressedIndex = QModelIndex();
        startDragging(row);
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void KPTaskTableView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const QModelIndex index = indexAt(position);
    const bool isClick =
        event->button() == Qt::LeftButton && m_pressedIndex.isValid() && index == m_pressedIndex;
    m_pressedIndex = QModelIndex();
    QTableView::mouseReleaseEvent(event);
    if (!isClick)
        return;
    if (index.column() == KPTaskTableModel::completedColumn) {
        if (KPTaskCellDelegate::checkboxRect(visualRect(index)).contains(position))
            m_list.checkboxClicked(index.row());
        return;
    }
    m_list.tableRowClicked(index.column(), index.row());
}

void KPTaskTableView::startDragging(int row)
{
    std::unique_ptr<QMimeData> data = m_list.writeRowsToPasteboard({row});
    if (!data)
        return;
    const QRect rect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
    auto* drag = new QDrag(this); // deleted by Qt when the drag ends
    drag->setMimeData(data.release());
    drag->setPixmap(viewport()->grab(rect));
    drag->setHotSpot(m_pressPosition - rect.topLeft());
    drag->exec(Qt::MoveAction);
}

void KPTaskTableView::contextMenuEvent(QContextMenuEvent* event)
{
    const int row = rowAt(event->pos().y());
    if (row < 0)
        return;
    event->accept();
    m_list.rowMenu(row)->popup(event->globalPos());
}

void KPTaskTableView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void KPTaskTableView::dragMoveEvent(QDragMoveEvent* event)
{
    QTableView::dragMoveEvent(event); // scrolls near the edges
    const std::optional<int> row = acceptedDropRow(event);
    setDropIndicator(row);
    if (row) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void KPTaskTableView::dragLeaveEvent(QDragLeaveEvent* event)
{
    QTableView::dragLeaveEvent(event);
    setDropIndicator(std::nullopt);
}

void KPTaskTableView::dropEvent(QDropEvent* event)
{
    stopAutoScroll();
    setState(NoState);
    setDropIndicator(std::nullopt);
    const std::optional<int> row = acceptedDropRow(event);
    if (row && m_list.acceptDrop(event->mimeData(), *row)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void KPTaskTableView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (!m_dropIndicatorRow || !model())
        return;
    const int count = model()->rowCount();
    int y = 0;
    if (*m_dropIndicatorRow < count)
        y = rowViewportPosition(*m_dropIndicatorRow);
    else if (count > 0)
        y = rowViewportPosition(count - 1) + rowHeight(count - 1) - 1;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(0, y, viewport()->width(), y);
}

bool KPTaskTableView::viewportEvent(QEvent* event)
{
    const bool handled = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        m_list.tableViewDidResize();
    return handled;
}

void KPTaskTableView::slideAway(const QPixmap& row, const QRect& rect)
{
    auto* picture = new QLabel(viewport()); // deletes itself when the slide ends
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    picture->setPixmap(row);
    picture->setGeometry(rect);
    auto* fade = new QGraphicsOpacityEffect(picture);
    picture->setGraphicsEffect(fade);
    picture->show();

    auto* group = new QParallelAnimationGroup(picture);
    auto* slide = new QPropertyAnimation(picture, "pos", group);
    slide->setDuration(slideDuration);
    slide->setEndValue(rect.topLeft() + QPoint(0, rect.height()));
    auto* opacity = new QPropertyAnimation(fade, "opacity", group);
    opacity->setDuration(slideDuration);
    opacity->setStartValue(1.0);
    opacity->setEndValue(0.0);
    connect(group, &QAbstractAnimation::finished, picture, &QObject::deleteLater);
    group->start();
}
