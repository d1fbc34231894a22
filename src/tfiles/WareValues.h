// Named and translated values of the ware-like kinds (shields, lasers,
// bullets, missiles, wares, factories, specials, docks): captions, units,
// rates instead of delays, m/s instead of game units, seconds instead of
// milliseconds, hexadecimal colour bytes and pick lists. Each value is given
// by its kind, its index and the size of its line, so the rules are plain
// functions of numbers.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <cstdint>
#include <optional>

namespace WareValues {

// The T-file kinds this module translates.
namespace Kinds {
enum WareKind : int32_t {
    kShields = 2,
    kLasers = 3,
    kBullets = 4,
    kMissiles = 5,
    kWares = 6,
    kFactories = 7,
    kSpecials = 8,
    kDocks = 10
};

} // namespace Kinds

// Value counts of new lines (the ID string included); 0 for other kinds.
int32_t LineSize(int32_t kind);

// Caption of a value from the kind's field table (the common head and tail
// captions are the common module's); "N/A" for kinds without one.
QString FieldName(int32_t kind, int32_t index);
// 0 plain, 1 converted, 2 pick list.
int32_t SupportValueTranslate(int32_t kind, int32_t index, int32_t size);
QString ValueUnit(int32_t kind, int32_t index);
// The pick list of a mode 2 field, in index order from its first entry;
// empty for other fields.
QStringList PropertyValues(int32_t kind, int32_t index, int32_t size);

// Stored value to display text; the unit (and "0x") only when unitsLeftOut
// is false. Nothing for a field that is not translated, or a value that is
// not a number.
std::optional<QString> TranslateValue(int32_t kind, int32_t index, int32_t size,
                                      const QVariant& value, bool unitsLeftOut);
// Display text to the value to store; nothing when the text cannot be taken
// (not a number, out of range, a rate of 0).
std::optional<double> TranslateValueBack(int32_t kind, int32_t index, int32_t size,
                                         const QString& text);

// Bullets: lifetime (ms) times speed (units) as "N m" or "N.NNN km";
// "[error]" when either is not a number.
QString BulletRange(const QVariant& lifetime, const QVariant& speed);
// 0xRRGGBB of the blue, green and red values (13, 14, 15); each component
// counts by its low byte.
int32_t BulletColor(const QVariant& blue, const QVariant& green, const QVariant& red);
// The blue, green and red bytes of a colour, for values 13, 14 and 15.
std::array<int32_t, 3> BulletColorComponents(int32_t color);
// "0x" and the colour's hexadecimal digits.
QString ColorText(int32_t color);

// The base of the script IDs of a kind (0: the kind has none); wares go by
// the last letter of their file title.
int32_t ScriptIDBase(int32_t kind, QChar wareLetter);

// The names of a ware-like file title, in the order they are looked for.
// The kind of the first one the title contains; nothing for none.
std::optional<int32_t> KindOfTitle(const QString& title);
QString ObjectTypeName(int32_t kind);
QString PageName(int32_t kind);
int32_t QueryInfo(int32_t kind);

} // namespace WareValues
