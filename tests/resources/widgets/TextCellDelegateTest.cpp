// The editor's list cells look exactly as the style's own item drawing makes
// them, whichever way each cell is painted.
#include "resources/widgets/TextCellDelegate.h"
#include "support/Eventually.h"

#include <gmock/gmock.h>

#include <QCoreApplication>
#include <QFont>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <memory>

namespace {

// One row per kind of cell: those drawn from one layout and those left to
// the style (elided, several lines, check box, icon ...).
std::unique_ptr<QStandardItemModel> Cells() {
    auto model = std::make_unique<QStandardItemModel>(0, 2);
    const auto add = [&model](const QString& text) {
        auto* cell = new QStandardItem(text);
        model->appendRow({new QStandardItem(QString::number(model->rowCount() + 1)), cell});
        return cell;
    };
    add("Pulse Cannon Mk1");
    add("A rather long text that a narrow column cannot hold whole, so its end is elided");
    add("Two\nlines");
    add("Tab\there");
    add("Ends with a line break\n");
    add("Trailing spaces   ");
    add(QString::fromUtf8("\u0646\u0635 \u0639\u0631\u0628\u064a"));
    add("");
    add("Right aligned")->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold;
    bold.setBold(true);
    add("Bold")->setFont(bold);
    add("Disabled")->setEnabled(false);
    add("Checked")->setCheckState(Qt::Checked);
    QPixmap icon(12, 12);
    icon.fill(Qt::darkGreen);
    add("With an icon")->setIcon(icon);
    add("Red")->setForeground(Qt::red);
    add("On yellow")->setBackground(Qt::yellow);
    add("Tall text")->setFont(QFont(bold.family(), 20));
    return model;
}

QImage Paint(QTreeView& view, QAbstractItemDelegate* delegate) {
    view.setItemDelegate(delegate);
    return view.grab().toImage();
}

// Where two pictures first differ, for the failure message.
QString FirstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QString("pixel %1,%2").arg(x).arg(y);
    return "none";
}

TEST(TextCellDelegate, PaintsEveryCellAsTheStyleDoes) {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    ASSERT_TRUE(fusion);
    const auto model = Cells();
    QStyledItemDelegate styled;
    TextCellDelegate fast;
    QTreeView view;
    view.setStyle(fusion.get());
    view.setModel(model.get());
    view.setRootIsDecorated(false);
    view.setUniformRowHeights(true);
    view.setAllColumnsShowFocus(true);
    view.setAlternatingRowColors(true);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.header()->setStretchLastSection(false);
    view.setColumnWidth(0, 40);
    view.resize(600, 420);
    view.selectionModel()->select(model->index(1, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view.selectionModel()->setCurrentIndex(model->index(4, 0), QItemSelectionModel::NoUpdate);

    // Every width from narrower than most texts to wider than all, so that
    // each text meets the edge where it starts to be elided.
    const auto expectSamePictures = [&] {
        for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft})
            for (int width = 20; width <= 560; width += width < 200 ? 1 : 60) {
                view.setLayoutDirection(direction);
                view.setColumnWidth(1, width);
                // The scroll bars follow the new width before either picture.
                QCoreApplication::processEvents();
                const QImage expected = Paint(view, &styled);
                const QImage painted = Paint(view, &fast);
                ASSERT_TRUE(painted == expected)
                    << (view.isActiveWindow() ? "active" : "inactive") << ", direction "
                    << direction << ", width " << width
                    << ", first difference: " << FirstDifference(painted, expected).toStdString();
            }
    };
    expectSamePictures();
    view.show();
    view.activateWindow();
    ASSERT_TRUE(testsupport::Eventually([&view] { return view.isActiveWindow(); }));
    view.setFocus();
    expectSamePictures();
    view.close();
}

} // namespace
