// The texts of map attribute values in the property panel and the "Value
// Edit" dialog, and the reading of what the person typed back into a value.
// Lengths: 222 game units make one metre, a nautical mile is 1852 metres.
#pragma once

#include <QString>

#include <cstdint>

namespace GalValueText {

// The distance units of the panel and the dialog, by option index.
enum Unit : int32_t { Meters = 0, GameUnits = 1, Miles = 2 };

// How the dialog edits an attribute.
enum class Mode { Color = 0, List = 1, Length = 2, Angle = 3, Plain = 4 };

// Panel: "100.000 m", "2.000 km" (from 1000 m), "1.000 nm", or the raw number.
QString DistanceText(int32_t value, int32_t unit);
// Panel: "RGB 255 128 0", or "RGB FF 80 0" in hexadecimal (a zero byte is "0").
QString ColorText(int32_t value, bool hexa);
// Panel: "0x0A" in hexadecimal (even number of digits), else decimal.
QString AngleText(int32_t value, bool hexa);

bool IsColorName(const QString& name);
bool IsCoordinateName(const QString& name);
// "x", "y" or "z" of a sector: a cell of the universe grid, not a length.
bool IsSectorCoordinate(const QString& name, int32_t type);
// The mode by attribute name and object type; listEmpty tells that the pick
// list of a subtype would be empty (a type without records), which is then
// edited as a plain number, as is a sector's subtype.
Mode ModeOf(const QString& name, int32_t type, bool listEmpty = false);

// The value box text of the dialog, for every mode but List.
QString EditText(Mode mode, bool sectorCoordinate, int32_t value, int32_t unit, bool hexa);
// Reads the value box; false, with the message to show or an empty text
// (then "Entered value is invalid."), when it cannot be taken. value is
// written also for a refused sector cell, as the dialog keeps it.
bool ReadEditText(Mode mode, const QString& name, int32_t type, int32_t unit, bool hexa,
                  const QString& text, int32_t& value, QString& error);

} // namespace GalValueText
