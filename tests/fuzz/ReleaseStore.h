// Ends a store and its lines. A released store keeps its lines for the
// clipboard, which a fuzz run would see as memory growing with every input;
// removing them first leaves nothing behind.
#pragma once

#include "zorvobjects.h"

#include <cstdint>
#include <vector>

namespace fuzzsupport {

inline void releaseStore(int32_t store) {
    int32_t count = 0;
    Zorv_EnumObjects(store, nullptr, 0, &count);
    std::vector<int32_t> lines(static_cast<std::size_t>(count));
    if (count > 0)
        Zorv_EnumObjects(store, lines.data(), count, &count);
    // From the last, so no removal renumbers the lines after it.
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        Zorv_DeleteHandle(*line);
    Zorv_DeleteHandle(store);
}

} // namespace fuzzsupport
