// Paints the cells of the editor's lists as the style's own item drawing
// does, faster for the usual cell: a text of one line that fits.
#pragma once

#include <QStyledItemDelegate>

class TextCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
