// Captions of the values of a shield line.
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvShields {

extern tfiles::TextTable ShieldFieldNames;

// Refills the table; it is already built when the program starts.
void InitShieldArrays();

} // namespace mdlZorvShields
