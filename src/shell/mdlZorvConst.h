// The fixed tables several windows share. InitArrays fills them once at
// start-up; until then they are empty.
#pragma once

#include "platform/BoundedArray.h"

#include <QString>

#include <cstdint>

namespace mdlZorvConst {

// Description languages, 0 to 2, the two tables parallel.
extern platform::BoundedArray<int32_t> LanguageIDs;
extern platform::BoundedArray<QString> LanguageNames;
// Captions of values 0 and 1 of a ware-like line.
extern platform::BoundedArray<QString> CommonFieldCaptions;
// Captions counted back from the end of a line: entry 0 is value size-2,
// entry 4 value size-6.
extern platform::BoundedArray<QString> CommonTailCaptions;
// Credits per stored price unit by T-file kind, 1 to 10.
extern platform::BoundedArray<float> PriceFactors;
// Race names by race number, 1 to 10.
extern platform::BoundedArray<QString> RaceNames;

void InitArrays();

} // namespace mdlZorvConst
