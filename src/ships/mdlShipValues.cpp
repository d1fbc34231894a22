#include "ships/mdlShipValues.h"

#include "platform/ZorvError.h"
#include "tfiles/TxtValue.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace mdlShipValues {

namespace {

[[noreturn]] void RaiseNotNumber(int32_t field, const QString& source) {
    Raise(source, QStringLiteral("Value of field %1 is not a number.").arg(field));
}

[[noreturn]] void RaiseOutOfRange(int32_t field, const QString& source) {
    Raise(source, QStringLiteral("Value of field %1 is out of range.").arg(field));
}

// A field outside the line reads as empty.
bool IsEmpty(const QVariant& value) {
    return !value.isValid();
}

} // namespace

int32_t ModelError() {
    return platform::kObjectErrorBase + 100;
}

void Raise(const QString& source, const QString& description) {
    throw platform::ZorvError(ModelError(), source, description);
}

double ToDouble(const QVariant& value, int32_t field, const QString& source) {
    if (IsEmpty(value))
        return 0.0;
    const std::optional<double> number = tfiles::ValueNumber(value);
    if (!number || !std::isfinite(*number))
        RaiseNotNumber(field, source);
    return *number;
}

int32_t ToLong(const QVariant& value, int32_t field, const QString& source) {
    if (IsEmpty(value))
        return 0;
    if (const std::optional<int32_t> number = tfiles::ValueLong(value))
        return *number;
    ToDouble(value, field, source);
    RaiseOutOfRange(field, source);
}

float ToSingle(const QVariant& value, int32_t field, const QString& source) {
    const double number = ToDouble(value, field, source);
    if (std::fabs(number) > FLT_MAX)
        RaiseOutOfRange(field, source);
    return static_cast<float>(number);
}

int32_t Saturate(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

} // namespace mdlShipValues
