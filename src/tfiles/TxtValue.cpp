#include "tfiles/TxtValue.h"

#include "gamefiles/GameText.h"

#include <cmath>
#include <limits>

namespace tfiles {

std::optional<double> ValueNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::Double:
        return value.toDouble();
    default:
        return std::nullopt;
    }
}

std::optional<int32_t> ValueLong(const QVariant& value) {
    const std::optional<double> number = ValueNumber(value);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (!(rounded >= std::numeric_limits<int32_t>::min() &&
          rounded <= std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(rounded);
}

QString ValueText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return gamefiles::DecodeText(value.toByteArray());
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

} // namespace tfiles
