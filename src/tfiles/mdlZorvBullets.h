// Captions of the values of a bullet line.
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvBullets {

extern tfiles::TextTable BulletFieldNames;

// Refills the table; it is already built when the program starts.
void InitBulletArrays();

} // namespace mdlZorvBullets
