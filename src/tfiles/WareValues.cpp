#include "tfiles/WareValues.h"

#include "platform/BoundedArrayLookups.h"
#include "shell/mdlComFunctions.h"
#include "shell/mdlZorvConst.h"
#include "tfiles/TxtValue.h"
#include "tfiles/mdlZorvBullets.h"
#include "tfiles/mdlZorvFactories.h"
#include "tfiles/mdlZorvLasers.h"
#include "tfiles/mdlZorvRockets.h"
#include "tfiles/mdlZorvShields.h"
#include "tfiles/mdlZorvShips.h"
#include "tfiles/mdlZorvWare.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace WareValues {

namespace {

using namespace Kinds;

constexpr int32_t kRaceIndex = 13;
constexpr double kUnitsPerMetre = 222;

bool IsRaceField(int32_t kind, int32_t index) {
    return (kind == kFactories || kind == kDocks) && index == kRaceIndex;
}

bool IsCargoClassField(int32_t kind, int32_t index, int32_t size) {
    switch (kind) {
    case kShields:
        return index == 15;
    case kLasers:
        return index == 16;
    case kBullets:
        return index == size - 2;
    case kMissiles:
        return index == 29;
    case kWares:
        return index == 11;
    case kFactories:
    case kDocks:
        return index == 20;
    default:
        return false;
    }
}

bool IsColorField(int32_t kind, int32_t index) {
    return kind == kBullets && index >= 13 && index <= 15;
}

bool IsConvertedField(int32_t kind, int32_t index) {
    switch (kind) {
    case kLasers:
        return index == 7;
    case kBullets:
        return index == 10 || index == 11 || IsColorField(kind, index);
    case kMissiles:
        return index == 7 || index == 14;
    default:
        return false;
    }
}

const tfiles::TextTable* FieldTable(int32_t kind) {
    switch (kind) {
    case kShields:
        return &mdlZorvShields::ShieldFieldNames;
    case kLasers:
        return &mdlZorvLasers::LaserFieldNames;
    case kBullets:
        return &mdlZorvBullets::BulletFieldNames;
    case kMissiles:
        return &mdlZorvRockets::RocketFieldNames;
    case kWares:
        return &mdlZorvWare::WareFieldNames;
    case kFactories:
    case kDocks:
        return &mdlZorvFactories::FactoryFieldNames;
    default:
        return nullptr;
    }
}

using mdlComFunctions::TextNumber;
using mdlComFunctions::WholeNumber;

std::optional<int32_t> TextWhole(const QString& text) {
    const std::optional<double> number = TextNumber(text);
    return number ? WholeNumber(*number) : std::nullopt;
}

// A 32-bit product; nothing when it overflows.
std::optional<double> WholeTimes(const QString& text, int32_t factor) {
    const std::optional<int32_t> whole = TextWhole(text);
    if (!whole)
        return std::nullopt;
    const int64_t product = int64_t{*whole} * factor;
    if (product < std::numeric_limits<int32_t>::min() ||
        product > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<double>(product);
}

QString WholeText(double number) {
    const std::optional<int32_t> whole = WholeNumber(number);
    return whole ? QString::number(*whole) : QString();
}

QString WithUnit(const QString& text, const char* unit, bool unitsLeftOut) {
    return unitsLeftOut ? text : text + QString::fromLatin1(unit);
}

std::optional<double> NamedOrNumber(const QString& text, const tfiles::TextTable& table) {
    int32_t index = 0;
    if (mdlCommon::FindInArray(text, table, index))
        return index;
    return TextNumber(text);
}

// A byte as hexadecimal digits, no prefix; the empty text is 0.
std::optional<double> HexByte(const QString& text) {
    if (!mdlComFunctions::IsHexText(text) || text.size() > 8)
        return std::nullopt;
    const uint32_t number = static_cast<uint32_t>(mdlComFunctions::HexToLong(text));
    if (number > 255)
        return std::nullopt;
    return number;
}

int32_t LowByte(const QVariant& value) {
    const std::optional<double> number = tfiles::ValueNumber(value);
    if (!number)
        return 0;
    return static_cast<int32_t>(static_cast<int64_t>(std::trunc(*number)) & 0xFF);
}

} // namespace

int32_t LineSize(int32_t kind) {
    switch (kind) {
    case kShields:
        return 17;
    case kLasers:
        return 18;
    case kBullets:
        return 33;
    case kMissiles:
        return 31;
    case kWares:
        return 13;
    case kFactories:
    case kDocks:
        return 22;
    case kSpecials:
        return 14;
    default:
        return 0;
    }
}

QString FieldName(int32_t kind, int32_t index) {
    const tfiles::TextTable* table = FieldTable(kind);
    return table ? mdlCommon::GetArrayString(*table, index) : QStringLiteral("N/A");
}

int32_t SupportValueTranslate(int32_t kind, int32_t index, int32_t size) {
    if (IsRaceField(kind, index) || IsCargoClassField(kind, index, size))
        return 2;
    return IsConvertedField(kind, index) ? 1 : 0;
}

QString ValueUnit(int32_t kind, int32_t index) {
    if (kind == kLasers && index == 7)
        return QStringLiteral("Rnds/min");
    if (IsColorField(kind, index))
        return QStringLiteral("Hexadecimal");
    if ((kind == kBullets && index == 11) || (kind == kMissiles && index == 7))
        return QStringLiteral("m/s");
    if (kind == kMissiles && index == 14)
        return QStringLiteral("s");
    return {};
}

QStringList PropertyValues(int32_t kind, int32_t index, int32_t size) {
    const tfiles::TextTable* table = nullptr;
    if (IsRaceField(kind, index))
        table = &mdlZorvConst::RaceNames;
    else if (IsCargoClassField(kind, index, size))
        table = &mdlZorvShips::CargoClassNames;
    QStringList values;
    if (table)
        for (int32_t i = table->lower(); i <= table->upper(); ++i)
            values << (*table)[i];
    return values;
}

std::optional<QString> TranslateValue(int32_t kind, int32_t index, int32_t size,
                                      const QVariant& value, bool unitsLeftOut) {
    const std::optional<double> number = tfiles::ValueNumber(value);
    if (!number)
        return std::nullopt;
    const float v = static_cast<float>(*number);
    if (index == size - 2) {
        const std::optional<int32_t> whole = WholeNumber(v);
        return whole ? mdlCommon::GetArrayString(mdlZorvShips::CargoClassNames, *whole)
                     : QStringLiteral("N/A");
    }
    if (IsRaceField(kind, index)) {
        const std::optional<int32_t> whole = WholeNumber(v);
        return whole ? mdlCommon::GetArrayString(mdlZorvConst::RaceNames, *whole)
                     : QStringLiteral("N/A");
    }
    if (kind == kLasers && index == 7) {
        // A delay of 0 has no rate.
        if (v == 0)
            return QStringLiteral("0");
        return WithUnit(WholeText(60.0 / v * 1000.0), " rnd/min", unitsLeftOut);
    }
    if (kind == kBullets) {
        if (IsColorField(kind, index)) {
            const std::optional<int32_t> whole = WholeNumber(v);
            if (!whole)
                return std::nullopt;
            const QString digits = mdlComFunctions::ColorToHex(*whole, 0);
            return unitsLeftOut ? digits : QStringLiteral("0x") + digits;
        }
        if (index == 11)
            return WithUnit(WholeText(v / kUnitsPerMetre), " m/s", unitsLeftOut);
        if (index == 10)
            return WithUnit(QString::number(v / 1000.0, 'f', 1), " s", unitsLeftOut);
        return std::nullopt;
    }
    if (kind == kMissiles) {
        if (index == 7)
            return WithUnit(WholeText(v / kUnitsPerMetre), " m/s", unitsLeftOut);
        if (index == 14)
            return WithUnit(WholeText(v / 1000.0), " s", unitsLeftOut);
    }
    return std::nullopt;
}

std::optional<double> TranslateValueBack(int32_t kind, int32_t index, int32_t size,
                                         const QString& text) {
    if (IsRaceField(kind, index))
        return NamedOrNumber(text, mdlZorvConst::RaceNames);
    if (IsCargoClassField(kind, index, size))
        return NamedOrNumber(text, mdlZorvShips::CargoClassNames);
    if (kind == kLasers && index == 7) {
        const std::optional<double> rate = TextNumber(text);
        if (!rate || *rate == 0)
            return std::nullopt;
        const std::optional<int32_t> delay = WholeNumber(1000.0 / (*rate / 60.0));
        return delay ? std::optional<double>(*delay) : std::nullopt;
    }
    if (IsColorField(kind, index))
        return HexByte(text);
    if ((kind == kBullets && index == 11) || (kind == kMissiles && index == 7))
        return WholeTimes(text, static_cast<int32_t>(kUnitsPerMetre));
    if (kind == kBullets && index == 10) {
        const std::optional<double> seconds = TextNumber(text);
        return seconds ? std::optional<double>(*seconds * 1000.0) : std::nullopt;
    }
    if (kind == kMissiles && index == 14)
        return WholeTimes(text, 1000);
    return TextNumber(text);
}

QString BulletRange(const QVariant& lifetime, const QVariant& speed) {
    const std::optional<double> milliseconds = tfiles::ValueNumber(lifetime);
    const std::optional<double> units = tfiles::ValueNumber(speed);
    if (!milliseconds || !units)
        return QStringLiteral("[error]");
    const std::optional<int32_t> metres =
        WholeNumber(*milliseconds / 1000.0 * (*units / kUnitsPerMetre));
    if (!metres)
        return QStringLiteral("[error]");
    if (*metres < 1000)
        return QString::number(*metres) + QStringLiteral(" m");
    return QString::number(*metres / 1000.0, 'g', 15) + QStringLiteral(" km");
}

int32_t BulletColor(const QVariant& blue, const QVariant& green, const QVariant& red) {
    return LowByte(red) << 16 | LowByte(green) << 8 | LowByte(blue);
}

std::array<int32_t, 3> BulletColorComponents(int32_t color) {
    return {mdlComFunctions::GetColorByte0(color), mdlComFunctions::GetColorByte1(color),
            mdlComFunctions::GetColorByte2(color)};
}

QString ColorText(int32_t color) {
    return QStringLiteral("0x") + mdlComFunctions::ColorToHex(color, 0);
}

int32_t ScriptIDBase(int32_t kind, QChar wareLetter) {
    switch (kind) {
    case kShields:
        return 0x70000;
    case kLasers:
        return 0x80000;
    case kMissiles:
        return 0xA0000;
    case kFactories:
        return 0x60000;
    case kWares:
        switch (wareLetter.toLower().unicode()) {
        case 'b':
            return 0xD0000;
        case 'e':
            return 0xB0000;
        case 'f':
            return 0xE0000;
        case 'm':
            return 0xF0000;
        case 'n':
            return 0xC0000;
        case 't':
            return 0x100000;
        default:
            return 0;
        }
    default:
        return 0;
    }
}

std::optional<int32_t> KindOfTitle(const QString& title) {
    static const std::pair<const char*, int32_t> kTitles[] = {
        {"TLaser", kLasers},    {"TRockets", kMissiles}, {"TShields", kShields},
        {"TWare", kWares},      {"TSpecial", kSpecials}, {"TFactories", kFactories},
        {"TBullets", kBullets}, {"TDocks", kDocks}};
    for (const auto& [name, kind] : kTitles)
        if (title.contains(QLatin1String(name), Qt::CaseInsensitive))
            return kind;
    return std::nullopt;
}

QString ObjectTypeName(int32_t kind) {
    switch (kind) {
    case kShields:
        return QStringLiteral("Shields");
    case kLasers:
        return QStringLiteral("Lasers");
    case kBullets:
        return QStringLiteral("Bullets");
    case kMissiles:
        return QStringLiteral("Missiles");
    case kWares:
        return QStringLiteral("Warez :) ");
    case kFactories:
        return QStringLiteral("Factories");
    case kSpecials:
        return QStringLiteral("Special");
    case kDocks:
        return QStringLiteral("Docks");
    default:
        return {};
    }
}

QString PageName(int32_t kind) {
    switch (kind) {
    case kShields:
        return QStringLiteral("Shield info");
    case kLasers:
        return QStringLiteral("Laser info");
    case kBullets:
        return QStringLiteral("Bullet info");
    case kMissiles:
        return QStringLiteral("Missile info");
    case kWares:
        return QStringLiteral("Ware info");
    case kFactories:
        return QStringLiteral("Factory info");
    case kSpecials:
        return QStringLiteral("Sepcial object info");
    case kDocks:
        return QStringLiteral("Dock info");
    default:
        return {};
    }
}

int32_t QueryInfo(int32_t kind) {
    if (kind == kBullets)
        return 0;
    return kind == kFactories ? 3 : 1;
}

} // namespace WareValues
