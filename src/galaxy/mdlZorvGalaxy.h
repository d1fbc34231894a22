// The constant tables that name the codes of a universe map: object types,
// sub-object groups, the T-file behind each type, the record panel's kind per
// type, asteroid resources, attribute names with their captions and gate IDs.
#pragma once

#include "platform/BoundedArray.h"

#include <QString>

#include <cstdint>

namespace mdlZorvGalaxy {

using TextTable = platform::BoundedArray<QString>;

extern TextTable GalObjectTypeNames;                      // 1..23, by attribute "t"
extern TextTable GalSubObjectNames;                       // 1..9, by "s" of a type 23 container
extern TextTable GalTypeTFiles;                           // 0..21, T-file base name by type
extern platform::BoundedArray<int32_t> GalTypeTFileKinds; // 1..21
extern TextTable AsteroidTypeNames;                       // 0..2, by "atype"
extern TextTable GalAttrNames;                            // 0..21
extern TextTable GalAttrCaptions;                         // 0..21, read with GalAttrNames
extern TextTable GateIDNames;                             // -1..5, by "gid" and "gtid"

// Fills every table; calling it again gives the same tables.
void InitGalaxyTables();

} // namespace mdlZorvGalaxy
