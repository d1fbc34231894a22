// The helpers of mdlComFunctions that work on widgets. Lists are QListWidget
// (icon lists) or QTreeWidget (report lists of top-level rows, and trees);
// an item's key is kept in kItemKeyRole (column 0 of a tree item) and
// compared without regard to case. Combo-box item data is Qt::UserRole.
// Every helper accepts nullptr and then does nothing or gives nothing.
#pragma once

#include <QString>
#include <qnamespace.h>

#include <cstdint>

class QComboBox;
class QEvent;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace mdlComFunctions {

constexpr int kItemKeyRole = Qt::UserRole + 1;

QListWidgetItem* GetListItemByKey(const QListWidget* list, const QString& key);
QTreeWidgetItem* GetListItemByKey(const QTreeWidget* list, const QString& key);
bool RemoveListItemByKey(QListWidget* list, const QString& key);
bool RemoveListItemByKey(QTreeWidget* list, const QString& key);
// position counts the rows from 1.
bool RemoveListItemByKey(QListWidget* list, int position);
bool RemoveListItemByKey(QTreeWidget* list, int position);
// The selected row; when none is selected, the first row is selected.
QListWidgetItem* GetSelectedListItem(QListWidget* list);
QTreeWidgetItem* GetSelectedListItem(QTreeWidget* list);
// Widens the last column to the list's right edge, less room for a scroll
// bar (350 twips) or a margin (100 twips).
void AutoSizeColumns(QTreeWidget* list, bool scrollBarRoom = true);
// A node anywhere in the tree; position counts the nodes from 1 in display
// order, parents before their children.
QTreeWidgetItem* GetTreeNode(const QTreeWidget* tree, const QString& key);
QTreeWidgetItem* GetTreeNode(const QTreeWidget* tree, int position);

// The item data of the selected entry; -1 when none is selected, 0 when it
// cannot be read.
int32_t GetComboItemData(const QComboBox* combo);
// Selects the first entry with the data; when none has it, no entry.
bool SelectComboItemByData(QComboBox* combo, int32_t data);
// The width in pixels of the drop-down list.
void SendControlMessage(QComboBox* combo, int width);

void SelectAllText(QLineEdit* field, bool takeFocus = true);
// A file dragged onto a window from outside: a drag that brings a local file
// is accepted; its drop gives the first local file's path and is accepted.
// False for every other event, which the caller handles as before.
bool TakeFileDrop(QEvent* event, QString& path);
// The field accepts digits only.
void SetWindowStyle(QLineEdit* field);
void CopyWindowPosition(QWidget* target, const QWidget* source);

} // namespace mdlComFunctions
