// The row a person chose in a list or tree, read one way by every window.
// A mouse press makes the pressed row current before it selects it, and a
// click beside the rows clears the selection but keeps the current row; so
// what a window shows follows the selection, never the current row, and no
// command acts on a row that shows no highlight.
#pragma once

#include <QModelIndex>

#include <functional>

class QAbstractItemView;
class QListWidget;
class QListWidgetItem;
class QObject;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {

// The current row while it is selected, else the first selected row;
// nothing while no row is selected.
QModelIndex ChosenRow(const QAbstractItemView* view);
QTreeWidgetItem* ChosenItem(const QTreeWidget* list);
QListWidgetItem* ChosenItem(const QListWidget* list);

// Runs the slot, in the context's lifetime, after each change of the
// selection. A list or tree widget tells it through its own signal, so a
// QSignalBlocker on the widget holds it back.
void OnChosenRowChanged(QAbstractItemView* view, QObject* context, std::function<void()> slot);

// Runs the slot with the row a double click or the Enter key activated,
// only while that row is chosen; the view belongs to the context. Enter that
// acts is taken by the view, so it does not also press the dialog's default
// button; Enter with no chosen row goes on to the window as before.
void OnChosenRowActivated(QAbstractItemView* view, QObject* context,
                          std::function<void(const QModelIndex& row)> slot);

} // namespace platform
