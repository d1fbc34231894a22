// Clicks and keys on lists as a person gives them: at the row's place on the
// view's viewport, so the view changes its current row and its selection in
// the order it does for a person (never through the selection model).
#pragma once

#include <QAbstractItemView>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace testsupport {

inline QPoint RowPoint(QAbstractItemView* view, const QModelIndex& row) {
    view->scrollTo(row);
    const QRect rect = view->visualRect(row);
    EXPECT_TRUE(rect.isValid() && view->viewport()->rect().contains(rect.center()))
        << "row " << row.row() << " of " << view->objectName().toStdString() << " is not shown";
    return rect.center();
}

inline void ClickRow(QAbstractItemView* view, const QModelIndex& row,
                     Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, RowPoint(view, row));
}
inline void ClickRow(QTreeWidget* list, QTreeWidgetItem* item) {
    ClickRow(list, list->model()->index(list->indexOfTopLevelItem(item), 0));
}
inline void ClickRow(QListWidget* list, const QListWidgetItem* item) {
    ClickRow(list, list->model()->index(list->row(item), 0));
}

// Press, release, the second press as a double click, release: as a person
// double-clicks.
inline void DoubleClickRow(QAbstractItemView* view, const QModelIndex& row) {
    const QPoint point = RowPoint(view, row);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, point);
}
inline void DoubleClickRow(QTreeWidget* list, QTreeWidgetItem* item) {
    DoubleClickRow(list, list->model()->index(list->indexOfTopLevelItem(item), 0));
}

// A click on the empty part of the viewport, below the last row: the view
// clears its selection and keeps its current row.
inline void ClickBesideRows(QAbstractItemView* view) {
    const QRect area = view->viewport()->rect();
    const QPoint point(area.width() / 2, area.bottom() - 2);
    ASSERT_FALSE(view->indexAt(point).isValid()) << view->objectName().toStdString() << " is full";
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
}

// A key to the view, which takes the focus first as a click would give it.
inline void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    widget->setFocus();
    QTest::keyClick(widget, key, modifiers);
}

} // namespace testsupport
