// Captions of the values of a ware line that are not common to every kind.
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvWare {

extern tfiles::TextTable WareFieldNames;

// Refills the table; it is already built when the program starts.
void InitWareArrays();

} // namespace mdlZorvWare
