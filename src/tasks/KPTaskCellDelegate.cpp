#include "KPTaskCellDelegate.h"

#include "platform/Images.h"
#include "platform/SystemStyle.h"
#include "tasks/KPTaskTableModel.h"
#include "tasks/KPTaskTextEditor.h"

#include <QPainter>
#include <QPixmapCache>
#include <QTextLayout>
#include <memory>

namespace {

// Lays the text out as it is drawn: wrapped at word boundaries (anywhere in a
// word too long for a line), each line in a slot of lineHeight points.
std::unique_ptr<QTextLayout> layOut(QString text, const QFont& font, qreal width, int lineHeight)
{
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    auto layout = std::make_unique<QTextLayout>(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->beginLayout();
    for (int n = 0;; ++n) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, n * lineHeight + (lineHeight - line.height()) / 2));
    }
    layout->endLayout();
    return layout;
}

} // namespace

QFont KPTaskCellDelegate::textFont(const QFont& base, const KPTask::AttributedString& text)
{
    QFont font = base;
    font.setPixelSize(text.pointSize);
    font.setStrikeOut(text.isStruckThrough);
    return font;
}

QColor KPTaskCellDelegate::textColor(const QPalette& palette,
                                     KPTask::AttributedString::ColorRole role)
{
    QColor color = palette.color(QPalette::Active, QPalette::Text);
    if (role == KPTask::AttributedString::ColorRole::secondary)
        color.setAlphaF(color.alphaF() * 0.5f);
    return color;
}

QFont KPTaskCellDelegate::cycleCountFont()
{
    return SystemStyle::monospacedDigitSystemFont(cycleCountFontSize);
}

int KPTaskCellDelegate::lineCount(const QString& text, const QFont& font, qreal width)
{
    return std::max(1, layOut(text, font, width, 17)->lineCount());
}

QRect KPTaskCellDelegate::checkboxRect(const QRect& cell)
{
    return QRect(cell.left(), cell.top() + (cell.height() - checkboxSize) / 2, checkboxSize,
                 checkboxSize);
}

QPixmap KPTaskCellDelegate::templatePixmap(const QString& name, const QSize& size,
                                           const QColor& color, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("KPTaskTemplate/%1/%2x%3/%4/%5")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(color.rgba(), 0, 16)
                            .arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = Images::tinted(Images::pixmap(name, size, devicePixelRatio), color);
    if (!pixmap.isNull())
        QPixmapCache::insert(key, pixmap);
    return pixmap;
}

void KPTaskCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    painter->save();
    painter->setClipRect(option.rect);
    switch (index.column()) {
    case KPTaskTableModel::taskColumn:
        paintText(painter, option, index);
        break;
    case KPTaskTableModel::completedColumn:
        paintCheckbox(painter, option, index);
        break;
    case KPTaskTableModel::cyclesColumn:
        paintCycleCount(painter, option, index);
        break;
    default:
        break;
    }
    painter->restore();
}

QSize KPTaskCellDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    if (index.column() != KPTaskTableModel::taskColumn)
        return QSize();
    const QFont font = index.data(Qt::FontRole).value<QFont>();
    const int width = option.rect.width() - textLeft;
    const int lines =
        width > 0 ? lineCount(index.data(Qt::DisplayRole).toString(), font, width) : 1;
    return QSize(option.rect.width(), lines * lineHeight(font.pixelSize()) + textTop + textBottom);
}

void KPTaskCellDelegate::paintText(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const QFont font = index.data(Qt::FontRole).value<QFont>();
    const QRect frame = option.rect.adjusted(textLeft, textTop, 0, -textBottom);
    const auto layout = layOut(index.data(Qt::DisplayRole).toString(), font, frame.width(),
                               lineHeight(font.pixelSize()));
    painter->setPen(index.data(Qt::ForegroundRole).value<QBrush>().color());
    layout->draw(painter, frame.topLeft());
}

void KPTaskCellDelegate::paintCheckbox(QPainter* painter, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    const bool done = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    const QRect box = checkboxRect(option.rect);
    const QColor color = textColor(option.palette, KPTask::AttributedString::ColorRole::primary);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QString name = done ? QStringLiteral("KPDone") : QStringLiteral("KPNotDone");
    // Scaled down, keeping its proportions, to fit the box.
    QSize size = Images::naturalSize(name);
    if (size.isEmpty())
        return;
    size.scale(box.size().boundedTo(size), Qt::KeepAspectRatio);
    const QPixmap image = templatePixmap(name, size, color, ratio);
    painter->drawPixmap(box.left() + (box.width() - size.width()) / 2,
                        box.top() + (box.height() - size.height()) / 2, image);
}

void KPTaskCellDelegate::paintCycleCount(QPainter* painter, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    const QString count = index.data(Qt::DisplayRole).toString();
    if (count.isEmpty())
        return;
    const QFont font = index.data(Qt::FontRole).value<QFont>();
    const QFontMetrics metrics(font);
    // Sized to its text and a point taller, right-aligned 2 points from the edge.
    const QSize label(metrics.horizontalAdvance(count), metrics.height() + 1);
    const QRect frame(option.rect.right() + 1 - 2 - label.width(),
                      option.rect.top() + (option.rect.height() - label.height()) / 2,
                      label.width(), label.height());
    painter->setFont(font);
    painter->setPen(textColor(option.palette, KPTask::AttributedString::ColorRole::primary));
    painter->drawText(frame, Qt::AlignRight | Qt::AlignVCenter, count);
}

QWidget* KPTaskCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const
{
    if (index.column() != KPTaskTableModel::taskColumn)
        return nullptr;
    return new KPTaskTextEditor(parent); // the view owns and deletes its editors
}

void KPTaskCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* field = qobject_cast<KPTaskTextEditor*>(editor);
    if (!field)
        return;
    field->setFont(index.data(Qt::FontRole).value<QFont>());
    field->setTextColor(index.data(Qt::ForegroundRole).value<QBrush>().color());
    field->setPlainText(index.data(Qt::EditRole).toString());
    field->selectAll();
}

void KPTaskCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const
{
    editor->setGeometry(option.rect.adjusted(textLeft, textTop, 0, -textBottom));
}
