#include "shell/widgets/mdlComFunctionsWidgets.h"

#include "platform/widgets/ChosenRow.h"
#include "shell/mdlComFunctions.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>

#include <algorithm>

namespace mdlComFunctions {
namespace {

bool sameKey(const QVariant& stored, const QString& key) {
    return stored.isValid() && stored.toString().compare(key, Qt::CaseInsensitive) == 0;
}

// Icon lists and report lists seen alike: their rows from 0.
int rowCount(const QListWidget* list) {
    return list->count();
}
int rowCount(const QTreeWidget* list) {
    return list->topLevelItemCount();
}
QListWidgetItem* row(const QListWidget* list, int i) {
    return list->item(i);
}
QTreeWidgetItem* row(const QTreeWidget* list, int i) {
    return list->topLevelItem(i);
}
QVariant keyOf(const QListWidgetItem* item) {
    return item->data(kItemKeyRole);
}
QVariant keyOf(const QTreeWidgetItem* item) {
    return item->data(0, kItemKeyRole);
}

template <class List> int rowOfKey(const List* list, const QString& key) {
    for (int i = 0; list && i < rowCount(list); ++i)
        if (sameKey(keyOf(row(list, i)), key))
            return i;
    return -1;
}

template <class List> auto itemByKey(const List* list, const QString& key) {
    const int i = rowOfKey(list, key);
    return i < 0 ? nullptr : row(list, i);
}

template <class List> bool removeRow(List* list, int i) {
    if (!list || i < 0 || i >= rowCount(list))
        return false;
    delete row(list, i);
    return true;
}

template <class List> auto selectedRow(List* list) -> decltype(row(list, 0)) {
    if (!list)
        return nullptr;
    if (const auto chosen = platform::ChosenItem(list))
        return chosen;
    if (rowCount(list) == 0)
        return nullptr;
    auto first = row(list, 0);
    list->setCurrentItem(first);
    first->setSelected(true);
    return first;
}

} // namespace

QListWidgetItem* GetListItemByKey(const QListWidget* list, const QString& key) {
    return itemByKey(list, key);
}

QTreeWidgetItem* GetListItemByKey(const QTreeWidget* list, const QString& key) {
    return itemByKey(list, key);
}

bool RemoveListItemByKey(QListWidget* list, const QString& key) {
    return removeRow(list, rowOfKey(list, key));
}

bool RemoveListItemByKey(QTreeWidget* list, const QString& key) {
    return removeRow(list, rowOfKey(list, key));
}

bool RemoveListItemByKey(QListWidget* list, int position) {
    return removeRow(list, position - 1);
}

bool RemoveListItemByKey(QTreeWidget* list, int position) {
    return removeRow(list, position - 1);
}

QListWidgetItem* GetSelectedListItem(QListWidget* list) {
    return selectedRow(list);
}

QTreeWidgetItem* GetSelectedListItem(QTreeWidget* list) {
    return selectedRow(list);
}

void AutoSizeColumns(QTreeWidget* list, bool scrollBarRoom) {
    if (!list || list->columnCount() == 0)
        return;
    const int last = list->columnCount() - 1;
    const int twips = scrollBarRoom ? 350 : 100;
    const int room = twips * list->logicalDpiX() / 1440;
    const int width = list->width() - list->header()->sectionPosition(last) - room;
    list->setColumnWidth(last, std::max(0, width));
}

QTreeWidgetItem* GetTreeNode(const QTreeWidget* tree, const QString& key) {
    if (!tree)
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        if (sameKey(keyOf(*it), key))
            return *it;
    return nullptr;
}

QTreeWidgetItem* GetTreeNode(const QTreeWidget* tree, int position) {
    if (!tree || position < 1)
        return nullptr;
    QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree));
    for (int i = 1; *it && i < position; ++i)
        ++it;
    return *it;
}

int32_t GetComboItemData(const QComboBox* combo) {
    if (!combo)
        return 0;
    if (combo->currentIndex() < 0)
        return -1;
    bool ok = false;
    const int32_t data = combo->itemData(combo->currentIndex()).toInt(&ok);
    return ok ? data : 0;
}

bool SelectComboItemByData(QComboBox* combo, int32_t data) {
    if (!combo)
        return false;
    for (int i = 0; i < combo->count(); ++i) {
        bool ok = false;
        if (combo->itemData(i).toInt(&ok) == data && ok) {
            combo->setCurrentIndex(i);
            return true;
        }
    }
    combo->setCurrentIndex(-1);
    return false;
}

void SendControlMessage(QComboBox* combo, int width) {
    if (combo)
        combo->view()->setMinimumWidth(width);
}

void SelectAllText(QLineEdit* field, bool takeFocus) {
    if (!field)
        return;
    if (takeFocus)
        field->setFocus();
    field->setSelection(0, static_cast<int>(field->text().size()));
}

void SetWindowStyle(QLineEdit* field) {
    if (field)
        field->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
}

void CopyWindowPosition(QWidget* target, const QWidget* source) {
    if (target && source)
        target->setGeometry(source->geometry());
}

bool TakeFileDrop(QEvent* event, QString& path) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    if (!HasDroppedFiles(drop->mimeData()))
        return false;
    drop->acceptProposedAction();
    if (type != QEvent::Drop)
        return true;
    const QList<QUrl> urls = drop->mimeData()->urls();
    path = std::find_if(urls.begin(), urls.end(), [](const QUrl& url) {
               return url.isLocalFile();
           })->toLocalFile();
    return true;
}

} // namespace mdlComFunctions
