// The table look-ups of mdlCommon. They depend on nothing but the table type,
// so the model folders below the common module (T-files, galaxy) use them too;
// they are inline for that reason.
#pragma once

#include "platform/BoundedArray.h"

#include <QString>

#include <cstdint>

namespace mdlCommon {

// The entry; "Unknown value" for an empty entry, "N/A" outside the table.
inline QString GetArrayString(const platform::BoundedArray<QString>& table, int32_t index) {
    if (!table.contains(index))
        return QStringLiteral("N/A");
    const QString& entry = table[index];
    return entry.isEmpty() ? QStringLiteral("Unknown value") : entry;
}

// The first index whose entry equals the text exactly (case matters).
inline bool FindInArray(const QString& text, const platform::BoundedArray<QString>& table,
                        int32_t& index) {
    for (int32_t i = table.lower(); i <= table.upper(); ++i) {
        if (table[i] == text) {
            index = i;
            return true;
        }
    }
    return false;
}

} // namespace mdlCommon
