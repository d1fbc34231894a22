// The texts of the Sector Map: lengths in the chosen unit, the selected
// object's status, the point under the mouse, the measured distance and the
// caption.
#pragma once

#include "maps/SectorMapObjectRecord.h"

#include <QString>

#include <cstdint>

namespace SectorMapTexts {

// Unit choices: kilometres, game units, nautical miles.
constexpr int32_t kMeters = 0;
constexpr int32_t kGameUnits = 1;
constexpr int32_t kMiles = 2;

// A length of game units in the chosen unit, in single precision.
float Convert(float units, int32_t unitChoice);
// "0.000" in the C locale.
QString Format3(float value);
// The unit after a value of the selected object's status (" km", "", " nm").
QString StatusUnit(int32_t unitChoice);
// The unit after a value of the pointer's status (" km", " ", " nm").
QString PointerUnit(int32_t unitChoice);

// "Name (ID)   X: 1.000 km, Y: 0.000 km, Z: -2.000 km"
QString ObjectStatus(const SectorMapObjectRecord& record, int32_t unitChoice);
// "X: 2.000 km, Z: 1.000 km" for the world point (x, v).
QString PointerStatus(float x, float v, const QString& axisLabel, int32_t unitChoice);
// "Distance: 523 m" for a distance of game units.
QString DistanceText(float units, int32_t unitChoice);
// "Sector Map [name] *"
QString Caption(bool sectorShown, const QString& sectorName, bool modified);

} // namespace SectorMapTexts
