// Readings of one T-file value (int, double, or the text's bytes, as the
// object store gives it) that the panels and rows share.
#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

namespace tfiles {

// The value as a number; nothing for a text or a missing value.
std::optional<double> ValueNumber(const QVariant& value);
// The value as a 32-bit integer, rounded half to even; nothing for a text,
// a missing value or a number outside the 32-bit range.
std::optional<int32_t> ValueLong(const QVariant& value);
// The value as it is shown: decimal numbers, the text decoded.
QString ValueText(const QVariant& value);

} // namespace tfiles
