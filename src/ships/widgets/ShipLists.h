// The report lists of the ship and turret-type panels: rows keyed by their
// model object, and refills that keep the selected row number.
#pragma once

#include "common/widgets/mdlCommonWidgets.h"
#include "ships/ShipValues.h"

#include <QSignalBlocker>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <QVariant>

#include <cstdint>

class clsTxtParser;

namespace ShipLists {

QTreeWidget* NewList(QWidget* parent, const QString& name, const QStringList& columns);
// A list of values: "Name", "Value", "[offset]".
QTreeWidget* NewValueList(QWidget* parent, const QString& name);
// A row keyed by its model object's Key, with an optional tag.
void AddKeyedRow(QTreeWidget* list, const QStringList& texts, const QString& key,
                 const QVariant& tag = QVariant());
QString RowKey(const QTreeWidgetItem* row);

// Name look-ups in the loaded text resources.
ShipValues::Lookups DescLookups(const clsTxtParser* shields = nullptr,
                                const clsTxtParser* missiles = nullptr);

// Refills a list keeping the selected row number, with its signals held so
// that a selection follows only where the caller asks for it; the columns
// but the last fit their texts.
template <class Fill> void Refill(QTreeWidget* list, Fill fill) {
    const QSignalBlocker blocker(list);
    const int selected = mdlCommon::GetSelectedIndex(list);
    list->setUpdatesEnabled(false);
    list->clear();
    fill();
    for (int column = 0; column + 1 < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
    if (selected > 0)
        mdlCommon::SelectListIndex(list, selected);
    list->setUpdatesEnabled(true);
}

} // namespace ShipLists
