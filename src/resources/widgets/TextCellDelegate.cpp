#include "resources/widgets/TextCellDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

namespace {

// The style's item drawing lays a cell's text out three times and shapes it
// once more to draw it; a list of thousands of texts spends most of its
// first paint there. The cells drawn here are those whose text that drawing
// puts in the whole cell and draws after the background alone: no check
// box, no icon, no focus frame of its own, not being edited, the whole cell
// selected. Only the style whose drawing this repeats.
bool PlainCell(const QStyleOptionViewItem& cell, const QStyle& style) {
    constexpr auto kOwnParts = QStyleOptionViewItem::HasCheckIndicator |
                               QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::WrapText;
    return qstrcmp(style.metaObject()->className(), "QFusionStyle") == 0 &&
           !(cell.features & kOwnParts) && cell.icon.isNull() &&
           !(cell.state & (QStyle::State_HasFocus | QStyle::State_Editing)) &&
           cell.showDecorationSelected && !cell.text.isEmpty() &&
           (cell.decorationPosition == QStyleOptionViewItem::Left ||
            cell.decorationPosition == QStyleOptionViewItem::Right);
}

// Lays the text out as the style does and keeps it for drawing; false when
// the style would show it on several lines or elide it.
bool LayOutOnOneLine(QTextLayout& layout, const QStyleOptionViewItem& cell, const QRect& textRect) {
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(cell.direction);
    option.setAlignment(QStyle::visualAlignment(cell.direction, cell.displayAlignment));
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(textRect.width());
    line.setPosition(QPointF(0, 0));
    const bool oneLine = !layout.createLine().isValid();
    layout.endLayout();
    return oneLine && line.textLength() == cell.text.size() && !textRect.isEmpty() &&
           line.naturalTextWidth() <= textRect.width();
}

QColor TextColour(const QStyleOptionViewItem& cell) {
    QPalette::ColorGroup group =
        cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
        group = QPalette::Inactive;
    return cell.palette.color(group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text);
}

} // namespace

void TextCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = cell.rect.adjusted(margin, 0, -margin, 0);
    QTextLayout layout(cell.text, cell.font);
    if (!PlainCell(cell, *style) || !LayOutOnOneLine(layout, cell, textRect)) {
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        return;
    }
    // The background, then the text placed as the style places it, both
    // clipped to the cell.
    painter->save();
    painter->setClipRegion(painter->hasClipping() ? painter->clipRegion() & cell.rect
                                                  : QRegion(cell.rect));
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    painter->setPen(TextColour(cell));
    const QRect placed = QStyle::alignedRect(Qt::LayoutDirectionAuto, cell.displayAlignment,
                                             layout.boundingRect().size().toSize(), textRect);
    layout.draw(painter, QPointF(textRect.x(), placed.top()));
    painter->restore();
}
