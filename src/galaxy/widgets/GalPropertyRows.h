// The rows of the object property panel: the raw attribute list and the
// property list with captions and value texts in a fixed order.
#pragma once

#include "common/mdlCommon.h"
#include "galaxy/clsGalaxyObject.h"

#include <QList>

#include <cstdint>

class clsGalaxyParser;

namespace GalPropertyRows {

// The display options of the panel.
struct Options {
    bool names = true; // names of records, else their ID strings
    int32_t unit = 0;  // GalValueText::Unit
    bool hexa = true;  // colours and angles in hexadecimal
};

// One row per attribute in the object's order: name and decimal value.
QList<mdlCommon::ListRow> RawRows(const clsGalaxyObject& object);
// The property list; each row's tag is the attribute name ("gtsector" for
// the gate's target, none for the sector's text ID).
QList<mdlCommon::ListRow> PropertyRows(clsGalaxyParser& document,
                                       const clsGalaxyObject::Ptr& object, const Options& options);
// The value text of one attribute.
QString FormatPropertyValue(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                            const QString& name, const Options& options);
// The caption of an attribute name; "" for a name the table does not know.
QString Caption(const QString& name);

} // namespace GalPropertyRows
