// Shared routines of the windows and panels that need no widgets: recent-file
// list upkeep, the two halves of a virtual-file-system path, the common
// value rows of ware-like lines, text unescaping, the sector of a map object,
// the index check of the ship model, the number message and the external 3D
// viewer. The routines that work on widgets are in
// common/widgets/mdlCommonWidgets.h, the table look-ups in
// platform/BoundedArrayLookups.h.
#pragma once

#include "platform/BoundedArrayLookups.h"
#include "platform/KeyedCollection.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <unordered_set>

class clsTXTObject;

namespace mdlCommon {

// Moves the path to the front (exact comparison), keeping at most five.
void AddRecentFile(const QString& path, QStringList& list);
// Removes the first entry equal to the path (exact comparison).
void RemoveRecentFile(const QString& path, QStringList& list);

// The halves of "catalog path::inner path"; a path without "::" is all
// catalog part and has an empty file part.
QString GetVFSCatalogPart(const QString& path);
QString GetVFSFilePart(const QString& path);

// The name of a description language number; "" when it has none.
QString GetLanguageName(int32_t languageId);

// Ordering of the ship model's sortable objects by their SortIndex().
template <class T> bool IsSortedBefore(const T& first, const T& second) {
    return first.SortIndex() < second.SortIndex();
}

// Inserts before the first item of greater SortIndex (after all equal ones),
// else appends; false when the key is already used.
template <class T>
bool AddSorted(platform::KeyedCollection<T>& collection, std::shared_ptr<T> object,
               const QString& key) {
    int position = 1;
    while (position <= collection.count() && !IsSortedBefore(*object, *collection.at(position)))
        ++position;
    return collection.insert(position, std::move(object), key);
}

// The error the ship model raises for an index outside lower..upper.
constexpr int32_t kListIndexError = static_cast<int32_t>(0x80040064);
// Nothing when lower <= index <= upper; otherwise throws platform::ZorvError
// (kListIndexError, source, "List index out of bounds.").
void RaiseIndexError(int32_t index, int32_t lower, int32_t upper, const QString& source);

// One row of a value list: caption, value column, tag and third column.
struct ListRow {
    QString caption;
    QString value;
    QVariant tag;
    QString third;

    bool operator==(const ListRow&) const = default;
};

// The caption of value 0, 1, or of a value from size-6 on; false (and the
// caption untouched) for any other index.
bool GetCommonFieldCaption(const clsTXTObject& object, int32_t index, QString& caption);
// The rows of values 0 and 1.
QList<ListRow> CommonHeadRows(const clsTXTObject& object);
// The rows of values size-6 to size-2, the ware class named by its cargo
// class; a value the line does not have, or a text where a number belongs,
// shows "N/A".
QList<ListRow> CommonTailRows(const clsTXTObject& object);
// "Price info": the value at the index times the price factor of the line's
// kind, rounded half to even, and " cr"; "N/A" when that is no number.
ListRow WarePriceRow(const clsTXTObject& object, int32_t index);

// "(||)" and "\n" become CR LF, "\t" a tab, letter case ignored.
QString UnescapeText(const QString& text);

// The object itself or its nearest ancestor that is a sector (type 1);
// nothing when there is none (also when the parent links run in a circle).
// Reads otype() and the weak Parent of whatever map object it is given, so
// this module does not depend on the map model.
template <class MapObject>
std::shared_ptr<MapObject> GetSectorOf(const std::shared_ptr<MapObject>& object) {
    constexpr int32_t kSectorType = 1;
    std::unordered_set<const MapObject*> visited;
    for (std::shared_ptr<MapObject> current = object; current; current = current->Parent.lock()) {
        if (!visited.insert(current.get()).second)
            return nullptr;
        if (current->otype() == kSectorType)
            return current;
    }
    return nullptr;
}

} // namespace mdlCommon
