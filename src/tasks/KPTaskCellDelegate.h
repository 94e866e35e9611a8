#pragma once

#include "tasks/KPTask.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QStyledItemDelegate>

// Draws the three cells of a task row and makes the editor of its text.
class KPTaskCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // Frame of the text inside its cell, as offsets from the cell's edges.
    static constexpr int textLeft = 2;
    static constexpr int textTop = 1;
    static constexpr int textBottom = 3;
    static constexpr int checkboxSize = 19;
    static constexpr int cycleCountFontSize = 13;

    using QStyledItemDelegate::QStyledItemDelegate;

    static QFont textFont(const QFont& base, const KPTask::AttributedString& text);
    static QColor textColor(const QPalette& palette, KPTask::AttributedString::ColorRole role);
    // The system font at 13 points with digits of one width.
    static QFont cycleCountFont();
    // Lines the text takes when wrapped at width, as drawn.
    static int lineCount(const QString& text, const QFont& font, qreal width);
    // Points between lines for text of a point size.
    static int lineHeight(int pointSize) { return pointSize > 12 ? 21 : 17; }
    static QRect checkboxRect(const QRect& cell);
    // A one-colour image drawn in the given colour.
    static QPixmap templatePixmap(const QString& name, const QSize& size, const QColor& color,
                                  qreal devicePixelRatio);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A task's text wrapped at the cell's width: whole lines and 4 points around them.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // The list commits the text itself when editing ends.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // Hands an open editor back to the view, which hides and deletes it.
    void close(QWidget* editor) { Q_EMIT closeEditor(editor, NoHint); }

protected:
    // The editor handles its own keys and focus.
    bool eventFilter(QObject*, QEvent*) override { return false; }

private:
    void paintText(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
    void paintCheckbox(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;
    void paintCycleCount(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const;
};
