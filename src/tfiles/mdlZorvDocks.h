// Captions of the values of a dock line (the panels caption docks from the factory table).
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvDocks {

extern tfiles::TextTable DockFieldNames;

// Refills the table; it is already built when the program starts.
void InitDockArrays();

} // namespace mdlZorvDocks
