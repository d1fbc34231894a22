// Captions of the values of a factory line; dock lines are captioned by it too.
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvFactories {

extern tfiles::TextTable FactoryFieldNames;

// Refills the table; it is already built when the program starts.
void InitFactoryArrays();

} // namespace mdlZorvFactories
