// Builds the caption tables and vocabularies of the T-file kinds: a text
// table over fixed bounds in which unlisted entries hold the empty text.
#pragma once

#include "platform/BoundedArray.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace tfiles {

using TextTable = platform::BoundedArray<QString>;

inline TextTable FieldTable(int32_t lower, int32_t upper,
                            std::initializer_list<std::pair<int32_t, const char*>> entries) {
    TextTable table(lower, std::vector<QString>(static_cast<std::size_t>(upper - lower + 1)));
    for (const auto& [index, text] : entries)
        table[index] = QString::fromUtf8(text);
    return table;
}

} // namespace tfiles
