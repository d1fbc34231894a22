// Building the Sector Map's records from the map: one record per object of
// the sector, at any depth, that has an attribute "x"; parents before their
// children, children in their parent's order.
#pragma once

#include "galaxy/clsGalaxyParser.h"
#include "maps/SectorMapLabels.h"
#include "maps/SectorMapObjectRecord.h"

#include <vector>

namespace SectorMapRecords {

using Ptr = clsGalaxyObject::Ptr;

bool HasRecord(const Ptr& object);
SectorMapObjectRecord FillRecord(clsGalaxyParser& document, const Ptr& object, int32_t labelBits,
                                 const SectorMapLabels::TextMeasure& measure);
// The records of the sector's descendants; none for nothing.
std::vector<SectorMapObjectRecord> Collect(clsGalaxyParser& document, const Ptr& sector,
                                           int32_t labelBits,
                                           const SectorMapLabels::TextMeasure& measure);
// The keys of the object and of every descendant.
void CollectKeys(const Ptr& object, std::vector<QString>& keys);

} // namespace SectorMapRecords
