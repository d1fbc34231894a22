#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace mdlComFunctions;

namespace {

template <class Item> Item* keyed(Item* item, const QString& key) {
    if constexpr (std::is_same_v<Item, QTreeWidgetItem>)
        item->setData(0, kItemKeyRole, key);
    else
        item->setData(kItemKeyRole, key);
    return item;
}

} // namespace

TEST(mdlComFunctionsWidgets, ListRowsByKeyAndPosition) {
    QListWidget icons;
    keyed(new QListWidgetItem("DIV Avuruz", &icons), "te");
    keyed(new QListWidgetItem("Zorv", &icons), "zorv");
    keyed(new QListWidgetItem("About", &icons), "about");
    EXPECT_EQ(GetListItemByKey(&icons, "ZORV")->text(), "Zorv");
    EXPECT_EQ(GetListItemByKey(&icons, "custom"), nullptr);
    EXPECT_FALSE(RemoveListItemByKey(&icons, "custom"));
    EXPECT_TRUE(RemoveListItemByKey(&icons, "Te"));
    EXPECT_FALSE(RemoveListItemByKey(&icons, 3));
    EXPECT_TRUE(RemoveListItemByKey(&icons, 2));
    ASSERT_EQ(icons.count(), 1);
    EXPECT_EQ(icons.item(0)->text(), "Zorv");

    QTreeWidget report;
    report.setColumnCount(2);
    keyed(new QTreeWidgetItem(&report, {"TLaser", "1"}), "12k");
    keyed(new QTreeWidgetItem(&report, {"TShields", "2"}), "13k");
    EXPECT_EQ(GetListItemByKey(&report, "13K")->text(0), "TShields");
    EXPECT_TRUE(RemoveListItemByKey(&report, 1));
    EXPECT_EQ(report.topLevelItemCount(), 1);
    EXPECT_EQ(GetListItemByKey(static_cast<QTreeWidget*>(nullptr), "12k"), nullptr);
}

TEST(mdlComFunctionsWidgets, SelectedRowFallsBackToTheFirst) {
    QTreeWidget report;
    EXPECT_EQ(GetSelectedListItem(&report), nullptr);
    auto* first = new QTreeWidgetItem(&report, {"a"});
    auto* second = new QTreeWidgetItem(&report, {"b"});
    EXPECT_EQ(GetSelectedListItem(&report), first);
    EXPECT_TRUE(first->isSelected());
    report.setCurrentItem(second);
    EXPECT_EQ(GetSelectedListItem(&report), second);

    QListWidget icons;
    new QListWidgetItem("x", &icons);
    EXPECT_EQ(GetSelectedListItem(&icons), icons.item(0));
}

TEST(mdlComFunctionsWidgets, TreeNodesByKeyAndDisplayOrder) {
    QTreeWidget tree;
    auto* sector = keyed(new QTreeWidgetItem(&tree, {"Sector"}), "1k");
    auto* gate = keyed(new QTreeWidgetItem(sector, {"Gate"}), "2k");
    auto* other = keyed(new QTreeWidgetItem(&tree, {"Other"}), "3k");
    EXPECT_EQ(GetTreeNode(&tree, "2K"), gate);
    EXPECT_EQ(GetTreeNode(&tree, "9k"), nullptr);
    EXPECT_EQ(GetTreeNode(&tree, 2), gate);
    EXPECT_EQ(GetTreeNode(&tree, 3), other);
    EXPECT_EQ(GetTreeNode(&tree, 4), nullptr);
    EXPECT_EQ(GetTreeNode(&tree, 0), nullptr);
}

TEST(mdlComFunctionsWidgets, ComboItemData) {
    QComboBox combo;
    EXPECT_EQ(GetComboItemData(&combo), -1);
    combo.addItem("English", 44);
    combo.addItem("German", 49);
    combo.addItem("odd", "not a number");
    EXPECT_TRUE(SelectComboItemByData(&combo, 49));
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(GetComboItemData(&combo), 49);
    EXPECT_FALSE(SelectComboItemByData(&combo, 33));
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(GetComboItemData(&combo), -1);
    combo.setCurrentIndex(2);
    EXPECT_EQ(GetComboItemData(&combo), 0);
    EXPECT_EQ(GetComboItemData(nullptr), 0);
    SendControlMessage(&combo, 300);
    EXPECT_EQ(combo.view()->minimumWidth(), 300);
}

TEST(mdlComFunctionsWidgets, TextFieldsAndPositions) {
    QLineEdit field;
    SetWindowStyle(&field);
    QTest::keyClicks(&field, "12a3-4");
    EXPECT_EQ(field.text(), "1234");
    SelectAllText(&field, false);
    EXPECT_EQ(field.selectedText(), "1234");
    SelectAllText(nullptr);

    QWidget source, target;
    source.setGeometry(10, 20, 300, 400);
    CopyWindowPosition(&target, &source);
    EXPECT_EQ(target.geometry(), QRect(10, 20, 300, 400));

    QTreeWidget report;
    report.setColumnCount(3);
    report.resize(600, 200);
    report.setColumnWidth(0, 100);
    report.setColumnWidth(1, 150);
    AutoSizeColumns(&report, true);
    const int room = 350 * report.logicalDpiX() / 1440;
    EXPECT_EQ(report.columnWidth(2), 600 - 250 - room);
}
