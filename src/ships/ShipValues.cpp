#include "ships/ShipValues.h"

#include "common/mdlCommon.h"
#include "shell/mdlZorvConst.h"
#include "ships/clsShipParser.h"
#include "tfiles/TxtValue.h"
#include "tfiles/clsTxtParser.h"
#include "tfiles/mdlZorvShips.h"

#include <QHash>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <exception>
#include <limits>

namespace ShipValues {
namespace {

using mdlCommon::GetArrayString;
using tfiles::TextTable;

constexpr float kUnitsPerMetre = 222.0f;
constexpr double kUnitsPerMetreBack = 222.0;
constexpr double kTwoTo32 = 4294967296.0;

// The table entry of a stored number; "N/A" when the number is no index.
QString TableText(const TextTable& table, float value) {
    const std::optional<int32_t> index = WholeNumber(value);
    return index ? GetArrayString(table, *index) : QStringLiteral("N/A");
}

// Shortest text that reads back as the same single-precision number.
QString SingleText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

// Fixed decimals with at least two integer digits ("09.00").
QString TwoDigitText(float value) {
    QString text = QString::number(static_cast<double>(std::fabs(value)), 'f', 2);
    if (text.indexOf(u'.') < 2)
        text.prepend(u'0');
    return value < 0 && text != QStringLiteral("00.00") ? u'-' + text : text;
}

// The pick list of a table of names, each with its stored number.
struct NameList {
    QStringList names;
    int32_t first = 0;
    // The table the names came from; none for a built-in table.
    const clsTxtParser* records = nullptr;
};

NameList BuiltInList(const TextTable& table) {
    NameList list;
    list.first = table.lower();
    for (int32_t index = table.lower(); index <= table.upper(); ++index)
        list.names << GetArrayString(table, index);
    return list;
}

std::optional<QString> PageName(const clsTXTObject& record, const Lookups& lookups) {
    const std::optional<int32_t> id = tfiles::ValueLong(record.Value(kNameText));
    if (!id || !lookups.nameText)
        return std::nullopt;
    return lookups.nameText(*id);
}

// One name per line of the table in file order (its page 17 text, else the
// built-in entry at the same position); the built-in table alone when the
// table has no lines.
NameList RecordList(const clsTxtParser* table, const TextTable& fallback, const Lookups& lookups) {
    if (!table || table->UnsortedObjects.isEmpty())
        return BuiltInList(fallback);
    NameList list;
    list.records = table;
    int32_t position = 0;
    for (const auto& record : table->UnsortedObjects) {
        const std::optional<QString> name = PageName(*record, lookups);
        list.names << (name ? *name : GetArrayString(fallback, position));
        ++position;
    }
    QHash<QString, int> uses;
    for (const QString& name : list.names)
        ++uses[name];
    position = 0;
    for (const auto& record : table->UnsortedObjects) {
        QString& name = list.names[position++];
        if (uses.value(name) > 1)
            name += QStringLiteral(" (") + record->ObjectName() + u')';
    }
    return list;
}

NameList ShieldList(const Lookups& lookups) {
    return RecordList(lookups.shields, mdlZorvShips::ShieldSizeNames, lookups);
}

NameList MissileList(const Lookups& lookups) {
    return RecordList(lookups.missiles, mdlZorvShips::MissileTypeNames, lookups);
}

// The name of stored number k: the line at position k by its pick-list
// name, or its ID string when it has no page 17 text; the built-in entry
// when the table has no such line.
QString RecordValueName(const NameList& list, const clsTxtParser* table, const TextTable& fallback,
                        float value, const Lookups& lookups) {
    const std::optional<int32_t> position = WholeNumber(value);
    if (!position)
        return QStringLiteral("N/A");
    const auto record = table ? table->FindIndex(*position) : nullptr;
    if (!record)
        return GetArrayString(fallback, *position);
    if (PageName(*record, lookups) && list.records)
        return list.names.value(*position);
    return record->ObjectName();
}

std::optional<double> FromList(const NameList& list, const QString& text) {
    const int found = list.names.indexOf(text);
    if (found >= 0)
        return list.first + found;
    if (list.records) {
        int32_t position = 0;
        for (const auto& record : list.records->UnsortedObjects) {
            if (record->ObjectName() == text)
                return position;
            ++position;
        }
    }
    return TextNumber(text);
}

std::optional<double> FromTable(const TextTable& table, const QString& text) {
    int32_t index = 0;
    if (mdlCommon::FindInArray(text, table, index))
        return index;
    return TextNumber(text);
}

bool IsCargoClass(int32_t index, int32_t size) {
    return index == size - 2 || index == kCargoType;
}

bool IsRotation(int32_t index) {
    return index >= 2 && index <= 4;
}

// game units per second from m/s: a fraction is rounded up, away from the
// floating-point noise of the product.
double UnitsFromMetres(double metres) {
    const double product = metres * kUnitsPerMetreBack;
    const double whole = std::nearbyint(product);
    if (std::fabs(product - whole) <= 1e-9 * std::max(1.0, std::fabs(product)))
        return whole;
    return std::trunc(product + 1);
}

QString RawText(const clsShip& ship, int32_t index) {
    return tfiles::ValueText(ship.Value(index));
}

QString SafeCount(const std::function<QString()>& read) {
    try {
        return read();
    } catch (const std::exception&) {
        return QStringLiteral("N/A");
    }
}

} // namespace

std::optional<int32_t> GunGroupCountField(const clsTXTObject& record) {
    constexpr int32_t kFirstSection = 48;
    constexpr int32_t kSectionSize = 4;
    const std::optional<int32_t> turrets = tfiles::ValueLong(record.Value(kTurretCount));
    if (!turrets || *turrets < 0 ||
        *turrets > (std::numeric_limits<int32_t>::max() - kFirstSection) / kSectionSize)
        return std::nullopt;
    return kFirstSection + kSectionSize * *turrets;
}

QString FieldName(const clsTXTObject& record, int32_t index,
                  std::optional<int32_t> gunGroupCountField) {
    QString caption;
    if (mdlCommon::GetCommonFieldCaption(record, index, caption))
        return caption;
    if (gunGroupCountField && index == *gunGroupCountField)
        return QStringLiteral("Gun groups count");
    return GetArrayString(mdlZorvShips::ShipFieldNames, index);
}

int32_t SupportValueTranslate(int32_t index, int32_t size) {
    if (index == size - 2)
        return 2;
    switch (index) {
    case kClass:
    case kShieldType:
    case kMissileType:
    case kCargoType:
    case kRace:
        return 2;
    case 2:
    case 3:
    case 4:
    case kSpeed:
    case kAcceleration:
    case kPower:
    case kLasers:
        return 1;
    default:
        return 0;
    }
}

QString ValueUnit(int32_t index) {
    if (IsRotation(index))
        return QStringLiteral("rotations/min");
    if (index == kSpeed || index == kAcceleration)
        return QStringLiteral("m/s");
    if (index == kPower)
        return QStringLiteral("MW");
    return {};
}

std::optional<QString> TranslateValue(const clsTXTObject& record, int32_t index, bool unitsLeftOut,
                                      const Lookups& lookups) {
    const std::optional<double> stored = tfiles::ValueNumber(record.Value(index));
    if (!stored)
        return std::nullopt;
    const auto v = static_cast<float>(*stored);
    const auto unit = [unitsLeftOut](const char* text) {
        return unitsLeftOut ? QString() : QString::fromLatin1(text);
    };
    if (IsCargoClass(index, record.size()))
        return TableText(mdlZorvShips::CargoClassNames, v);
    switch (index) {
    case kAcceleration:
        return QString::number(static_cast<double>(v / kUnitsPerMetre), 'f', 3) + unit(" m/s");
    case kSpeed: {
        const float base = v / kUnitsPerMetre;
        const auto tunings =
            static_cast<float>(tfiles::ValueNumber(record.Value(kEngineTuning)).value_or(0));
        const float tuned = base / 10.0f * tunings;
        QString text = QString::number(static_cast<double>(base), 'f', 2);
        if (!unitsLeftOut)
            text += QStringLiteral(" - ") + TwoDigitText(base + tuned) + QStringLiteral(" m/s");
        return text;
    }
    case kLasers: {
        const std::optional<int32_t> mask = LaserMask(record.Value(index));
        return mask ? QString::number(*mask) : QString::number(*stored, 'f', 0);
    }
    case kMissileType:
        return RecordValueName(MissileList(lookups), lookups.missiles,
                               mdlZorvShips::MissileTypeNames, v, lookups);
    case kShieldType:
        return RecordValueName(ShieldList(lookups), lookups.shields, mdlZorvShips::ShieldSizeNames,
                               v, lookups);
    case kClass:
        return TableText(mdlZorvShips::ShipClassNames, v);
    case kPower:
        return SingleText(v) + unit(" MW");
    case kRace:
        return TableText(mdlZorvConst::RaceNames, v);
    case kDockingSlots:
        if (v == 0)
            return std::nullopt;
        return SingleText(std::fabs(v)) +
               (v < 0 ? QStringLiteral(" external") : QStringLiteral(" internal"));
    case 2:
    case 3:
    case 4:
        return QString::number(static_cast<double>(v * 60.0f), 'f', 1) + unit(" rot/min");
    default:
        return std::nullopt;
    }
}

QStringList PropertyValues(int32_t index, int32_t size, const Lookups& lookups) {
    if (IsCargoClass(index, size))
        return BuiltInList(mdlZorvShips::CargoClassNames).names;
    switch (index) {
    case kShieldType:
        return ShieldList(lookups).names;
    case kClass:
        return BuiltInList(mdlZorvShips::ShipClassNames).names;
    case kMissileType:
        return MissileList(lookups).names;
    case kRace:
        return BuiltInList(mdlZorvConst::RaceNames).names;
    default:
        return {};
    }
}

std::optional<double> TranslateValueBack(const QString& text, int32_t index, int32_t size,
                                         const Lookups& lookups) {
    if (IsCargoClass(index, size))
        return FromTable(mdlZorvShips::CargoClassNames, text);
    switch (index) {
    case kShieldType:
        return FromList(ShieldList(lookups), text);
    case kClass:
        return FromTable(mdlZorvShips::ShipClassNames, text);
    case kMissileType:
        return FromList(MissileList(lookups), text);
    case kRace:
        return FromTable(mdlZorvConst::RaceNames, text);
    default:
        break;
    }
    const std::optional<double> number = TextNumber(text);
    if (!number)
        return std::nullopt;
    switch (index) {
    case kSpeed:
    case kAcceleration:
        return UnitsFromMetres(*number);
    case kLasers: {
        // A mask is a whole 32-bit number.
        const std::optional<int32_t> mask = WholeNumber(*number);
        if (!mask)
            return std::nullopt;
        return *mask;
    }
    case 2:
    case 3:
    case 4:
        return std::nearbyint(*number / 60.0 * 1e5) / 1e5;
    default:
        return number;
    }
}

QString RecordName(const clsTXTObject& record, const Lookups& lookups) {
    const std::optional<QString> name = PageName(record, lookups);
    return name ? *name : record.ObjectName();
}

std::optional<int32_t> LaserMask(const QVariant& value) {
    const std::optional<double> number = tfiles::ValueNumber(value);
    if (!number)
        return std::nullopt;
    double rounded = std::nearbyint(*number);
    if (rounded > std::numeric_limits<int32_t>::max() && rounded < kTwoTo32)
        rounded -= kTwoTo32;
    return WholeNumber(rounded);
}

bool ValidateShips(const clsShipParser& ships, QString& errorText) {
    QString report;
    for (const auto& ship : ships.Ships) {
        if (ship->Validate())
            continue;
        const clsTXTObject& record = *ship->Object;
        const QString turrets = SafeCount([&] { return RawText(*ship, kTurretCount); });
        const QString groups = SafeCount([&] { return RawText(*ship, ship->GGCountOffset()); });
        const QString guns = SafeCount([&] { return RawText(*ship, kGunCount); });
        report += QStringLiteral("Ship index %1, name \"%2\":\n%3\n"
                                 "Section numbers in file: turrets: %4, gun groups: %5, guns: %6."
                                 "\n\n")
                      .arg(record.Index())
                      .arg(record.ObjectName(), ship->GetLastError(), turrets, groups, guns);
    }
    if (report.isEmpty())
        return true;
    errorText = QStringLiteral("Data in file ") + ships.FileName +
                QStringLiteral(" are probably corrupted.\n\n") + errorText + report;
    return false;
}

} // namespace ShipValues
