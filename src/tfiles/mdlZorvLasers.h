// Captions of the values of a laser line.
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvLasers {

extern tfiles::TextTable LaserFieldNames;

// Refills the table; it is already built when the program starts.
void InitLaserArrays();

} // namespace mdlZorvLasers
