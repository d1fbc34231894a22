#include "maps/SectorMapTexts.h"

#include <cmath>

namespace SectorMapTexts {
namespace {

constexpr float kUnitsPerMetre = 222.0f;
constexpr float kMetresPerMile = 1852.0f;

} // namespace

float Convert(float units, int32_t unitChoice) {
    switch (unitChoice) {
    case kMeters:
        return units / kUnitsPerMetre / 1000.0f;
    case kMiles:
        return units / kUnitsPerMetre / kMetresPerMile;
    default:
        return units;
    }
}

QString Format3(float value) {
    // No "-0.000" for a zero that lost its sign on the way.
    return QString::number(value == 0 ? 0.0 : static_cast<double>(value), 'f', 3);
}

QString StatusUnit(int32_t unitChoice) {
    switch (unitChoice) {
    case kMeters:
        return QStringLiteral(" km");
    case kMiles:
        return QStringLiteral(" nm");
    default:
        return {};
    }
}

QString PointerUnit(int32_t unitChoice) {
    return unitChoice == kGameUnits ? QStringLiteral(" ") : StatusUnit(unitChoice);
}

QString ObjectStatus(const SectorMapObjectRecord& record, int32_t unitChoice) {
    QString text = record.nameText;
    if (record.nameText != record.idText)
        text += QStringLiteral(" (") + record.idText + QLatin1Char(')');
    const QString unit = StatusUnit(unitChoice);
    auto value = [&](int64_t units) {
        return Format3(Convert(static_cast<float>(units), unitChoice)) + unit;
    };
    // The negated coordinates are negated back in 64 bits: -INT32_MIN fits.
    return text + QStringLiteral("   X: ") + value(record.x) + QStringLiteral(", Y: ") +
           value(-int64_t{record.negY}) + QStringLiteral(", Z: ") + value(-int64_t{record.negZ});
}

QString PointerStatus(float x, float v, const QString& axisLabel, int32_t unitChoice) {
    const QString unit = PointerUnit(unitChoice);
    return QStringLiteral("X: ") + Format3(Convert(x, unitChoice)) + unit + QStringLiteral(", ") +
           axisLabel + QStringLiteral(": ") + Format3(Convert(-v, unitChoice)) + unit;
}

QString DistanceText(float units, int32_t unitChoice) {
    QString text;
    switch (unitChoice) {
    case kGameUnits:
        text = QString::number(static_cast<qint64>(std::trunc(static_cast<double>(units))));
        break;
    case kMiles:
        text = Format3(units / kUnitsPerMetre / kMetresPerMile) + QStringLiteral(" nm");
        break;
    default: {
        // Chosen by the rounded metres, so 999.6 m reads "1.000 km", never "1000 m".
        const double metres = std::nearbyint(static_cast<double>(units / kUnitsPerMetre));
        if (metres < 1000)
            text = QString::number(metres, 'f', 0) + QStringLiteral(" m");
        else
            text = Format3(units / kUnitsPerMetre / 1000.0f) + QStringLiteral(" km");
        break;
    }
    }
    return QStringLiteral("Distance: ") + text;
}

QString Caption(bool sectorShown, const QString& sectorName, bool modified) {
    QString caption = QStringLiteral("Sector Map");
    if (sectorShown)
        caption += QStringLiteral(" [") + sectorName + QLatin1Char(']');
    if (modified)
        caption += QStringLiteral(" *");
    return caption;
}

} // namespace SectorMapTexts
