// The shared routines of the common module that work on widgets: value
// lists (QTreeWidget report lists of top-level rows, the row's tag in
// kRowTagRole of column 0), combo boxes filled from text tables, and the help.
#pragma once

#include "platform/BoundedArray.h"

#include <QString>
#include <QVariant>
#include <qnamespace.h>

#include <cstdint>

class QComboBox;
class QTreeWidget;
class QWidget;
class clsTXTObject;

namespace mdlCommon {

constexpr int kRowTagRole = Qt::UserRole;

// The 1-based position of the selected row; -1 when none is.
int GetSelectedIndex(const QTreeWidget* list);
// Selects the row at the 1-based position and scrolls it into view; false,
// and no row selected, when there is no such row.
bool SelectListIndex(QTreeWidget* list, int index);
void AddListRow(QTreeWidget* list, const QString& caption, const QString& value,
                const QVariant& tag = QVariant(), const QString& third = QString());
// The "Price info" row of the value at the index.
void AddWarePriceRows(QTreeWidget* list, const clsTXTObject& object, int32_t index);
// The rows of values 0 and 1.
void AddCommonHeadRows(QTreeWidget* list, const clsTXTObject& object);
// The rows of values size-6 to size-2.
void AddCommonTailRows(QTreeWidget* list, const clsTXTObject& object);

// Clears the box and adds every entry in index order, each with its index
// as item data.
void FillComboFromArray(QComboBox* combo, const platform::BoundedArray<QString>& table);

// Opens the help page of the topic in the desktop's browser; the empty
// topic opens the start page.
void ShowHelp(const QString& topic = QString());

// The invalid-number message, preceded by the field name and ": ".
void ShowInvalidNumber(QWidget* owner, const QString& fieldName = QString());

} // namespace mdlCommon
