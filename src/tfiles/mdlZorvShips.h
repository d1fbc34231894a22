// Captions of the values of a ship line and the words for its coded values.
#pragma once

#include "tfiles/FieldTable.h"

namespace mdlZorvShips {

// Value captions by index, 0 to 47.
extern tfiles::TextTable ShipFieldNames;
// Ship class by the value of field 5, 0 to 12.
extern tfiles::TextTable ShipClassNames;
// Greatest missile type a ship carries (field 22), -1 to 7.
extern tfiles::TextTable MissileTypeNames;
// Cargo size class, 0 to 5: a ship's cargo type and the ware class of every line.
extern tfiles::TextTable CargoClassNames;
// Shield type of a ship (field 20), 0 to 3.
extern tfiles::TextTable ShieldSizeNames;
// Position of a turret on a ship, 1 to 6.
extern tfiles::TextTable TurretPositionNames;

// Refills the six tables; they are already built when the program starts.
void InitShipArrays();

} // namespace mdlZorvShips
