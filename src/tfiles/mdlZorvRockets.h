// Captions of the values of a missile line.
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvRockets {

extern tfiles::TextTable RocketFieldNames;

// Refills the table; it is already built when the program starts.
void InitRocketArrays();

} // namespace mdlZorvRockets
