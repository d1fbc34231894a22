// Captions of the turret-type values that follow the common head.
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvCockpits {

extern tfiles::TextTable CockpitFieldNames;

// Refills the table; it is already built when the program starts.
void InitCockpitArrays();

} // namespace mdlZorvCockpits
