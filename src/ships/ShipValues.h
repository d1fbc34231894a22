// Named and translated values of a ship line: captions, units, speeds in
// m/s, rotations per minute, and the names of classes, races, cargo sizes,
// shields and missiles, with their way back from text to the stored number.
// Shields and missiles are named from their own tables when those are
// loaded; the built-in size and type tables stand in for the rest.
#pragma once

#include "shell/mdlComFunctions.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <optional>

class clsShipParser;
class clsTXTObject;
class clsTxtParser;

namespace ShipValues {

// What the value texts look up outside the ship line.
struct Lookups {
    const clsTxtParser* shields = nullptr;
    const clsTxtParser* missiles = nullptr;
    // The object-name text (page 17) of that number; nothing when absent.
    std::function<std::optional<QString>(int32_t id)> nameText;
};

// Field indexes the panel and the translations share.
enum Field : int32_t {
    kClass = 5,
    kNameText = 6,
    kSpeed = 7,
    kAcceleration = 8,
    kPower = 13,
    kModelFile = 16,
    kCockpitFile = 17,
    kLasers = 18,
    kGunCount = 19,
    kShieldType = 20,
    kMissileType = 22,
    kEngineTuning = 24,
    kCargoMin = 26,
    kCargoMax = 27,
    kDescriptors = 28,
    kDockingSlots = 40,
    kCargoType = 41,
    kRace = 42,
    kTurretCount = 47
};

// The field of the gun-group count, right after the turret sections;
// nothing when the turret count is no whole number from 0 up.
std::optional<int32_t> GunGroupCountField(const clsTXTObject& record);

// Caption of a value: the common head and tail, "Gun groups count" at
// gunGroupCountField, else the ship field-name table.
QString FieldName(const clsTXTObject& record, int32_t index,
                  std::optional<int32_t> gunGroupCountField);
// 0 plain, 1 converted, 2 pick list.
int32_t SupportValueTranslate(int32_t index, int32_t size);
QString ValueUnit(int32_t index);

// Stored value to display text; the unit only when unitsLeftOut is false.
// Nothing for a value without a text of its own, or one that is no number.
std::optional<QString> TranslateValue(const clsTXTObject& record, int32_t index, bool unitsLeftOut,
                                      const Lookups& lookups);
// The pick list of a mode 2 value; empty for other values. Names that occur
// more than once carry their line's ID string, so each entry is one choice.
QStringList PropertyValues(int32_t index, int32_t size, const Lookups& lookups);
// Display text to the value to store; nothing when the text is refused.
std::optional<double> TranslateValueBack(const QString& text, int32_t index, int32_t size,
                                         const Lookups& lookups);

using mdlComFunctions::TextNumber;
using mdlComFunctions::WholeNumber;

// Name of a line of another table: its page 17 text (numbered by its value
// 6), else its ID string.
QString RecordName(const clsTXTObject& record, const Lookups& lookups);
// A 32-bit laser mask; a stored number from 2147483648 to 4294967295 is the
// same bits read unsigned. Nothing for a text or a number outside both.
std::optional<int32_t> LaserMask(const QVariant& value);

// Checks every ship; false with the report of the corrupted ones added to
// errorText, which is left alone when all pass.
bool ValidateShips(const clsShipParser& ships, QString& errorText);

} // namespace ShipValues
