#include "galaxy/widgets/GalValueText.h"

#include "galaxy/MapNumber.h"
#include "shell/mdlComFunctions.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace GalValueText {

namespace {

constexpr double kUnitsPerMetre = 222.0;
constexpr double kMetresPerMile = 1852.0;
constexpr int32_t kSectorType = 1;
constexpr int32_t kBackgroundType = 2;
constexpr int32_t kSubObjectsType = 23;
constexpr int kMaxHexDigits = 8;

QString ThreeDecimals(double number) {
    return QString::number(number, 'f', 3);
}

QString ByteText(uint32_t byte, bool hexa) {
    if (!hexa)
        return QString::number(byte);
    return byte == 0 ? QStringLiteral("0")
                     : QString::number(byte, 16).toUpper().rightJustified(2, u'0');
}

bool Is(const QString& name, const char* expected) {
    return name.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

// Hexadecimal digits only (an empty text reads as 0), at most 32 bits.
bool ReadHex(const QString& text, int32_t& value) {
    if (!mdlComFunctions::IsHexText(text))
        return false;
    QString significant = text;
    while (significant.startsWith(u'0'))
        significant.remove(0, 1);
    if (significant.size() > kMaxHexDigits)
        return false;
    value = mdlComFunctions::HexToLong(text);
    return true;
}

bool ReadWhole(const QString& text, int32_t& value) {
    return mapnumber::Read(QStringView(text), value) == mapnumber::Result::Number;
}

bool ReadLength(const QString& text, int32_t unit, int32_t& value) {
    if (unit == GameUnits)
        return ReadWhole(text, value);
    bool numeric = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &numeric);
    if (!numeric)
        return false;
    const double scale = unit == Miles ? kMetresPerMile * kUnitsPerMetre : kUnitsPerMetre;
    const double units = std::nearbyint(number * scale);
    if (!(units >= std::numeric_limits<int32_t>::min() &&
          units <= std::numeric_limits<int32_t>::max()))
        return false;
    value = static_cast<int32_t>(units);
    return true;
}

} // namespace

QString DistanceText(int32_t value, int32_t unit) {
    if (unit == GameUnits)
        return QString::number(value);
    const double metres = std::nearbyint(value / kUnitsPerMetre);
    if (unit == Miles)
        return ThreeDecimals(metres / kMetresPerMile) + QStringLiteral(" nm");
    if (std::abs(metres) >= 1000)
        return ThreeDecimals(metres / 1000) + QStringLiteral(" km");
    return ThreeDecimals(metres) + QStringLiteral(" m");
}

QString ColorText(int32_t value, bool hexa) {
    const auto bits = static_cast<uint32_t>(value);
    return QStringLiteral("RGB %1 %2 %3")
        .arg(ByteText(bits >> 16 & 0xFF, hexa), ByteText(bits >> 8 & 0xFF, hexa),
             ByteText(bits & 0xFF, hexa));
}

QString AngleText(int32_t value, bool hexa) {
    if (!hexa)
        return QString::number(value);
    return QStringLiteral("0x") + mdlComFunctions::ColorToHex(value, 0);
}

bool IsColorName(const QString& name) {
    return Is(name, "color") || Is(name, "ff") || Is(name, "fc") || Is(name, "fn");
}

bool IsCoordinateName(const QString& name) {
    return Is(name, "x") || Is(name, "y") || Is(name, "z");
}

bool IsSectorCoordinate(const QString& name, int32_t type) {
    return type == kSectorType && IsCoordinateName(name);
}

Mode ModeOf(const QString& name, int32_t type, bool listEmpty) {
    if (IsColorName(name))
        return Mode::Color;
    if (IsCoordinateName(name))
        return type == kSectorType ? Mode::Plain : Mode::Length;
    if (Is(name, "r") || Is(name, "t") || Is(name, "gid") || Is(name, "gtid") || Is(name, "atype"))
        return Mode::List;
    if (Is(name, "s")) {
        if (type == kSubObjectsType)
            return Mode::List;
        return type == kSectorType || type == kBackgroundType || listEmpty ? Mode::Plain
                                                                           : Mode::List;
    }
    if (Is(name, "a") || Is(name, "b") || Is(name, "g"))
        return Mode::Angle;
    return Mode::Plain;
}

QString EditText(Mode mode, bool sectorCoordinate, int32_t value, int32_t unit, bool hexa) {
    switch (mode) {
    case Mode::Color:
        return mdlComFunctions::ColorToHex(value, 6);
    case Mode::Length:
        if (sectorCoordinate || unit == GameUnits)
            return QString::number(value);
        if (unit == Miles)
            return ThreeDecimals(value / kUnitsPerMetre / kMetresPerMile);
        return ThreeDecimals(value / kUnitsPerMetre);
    case Mode::Angle:
        return hexa ? mdlComFunctions::ColorToHex(value, 0) : QString::number(value);
    case Mode::List:
    case Mode::Plain:
        break;
    }
    return QString::number(value);
}

bool ReadEditText(Mode mode, const QString& name, int32_t type, int32_t unit, bool hexa,
                  const QString& text, int32_t& value, QString& error) {
    error.clear();
    if (mode == Mode::Color || (mode == Mode::Angle && hexa))
        return ReadHex(text, value);
    if (IsSectorCoordinate(name, type)) {
        if (!ReadWhole(text, value))
            return false;
        if ((Is(name, "y") && value >= 15) || (Is(name, "x") && value >= 20) || value < 0) {
            error = QStringLiteral("Allowed coordinates values: X >= 0 and <=19, Y>=0 and <=14.");
            return false;
        }
        return true;
    }
    if (mode == Mode::Length)
        return ReadLength(text, unit, value);
    return ReadWhole(text, value);
}

} // namespace GalValueText
