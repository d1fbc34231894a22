// The one handle space of the process. Handles are given out in order and
// never reused, so the table is a row of fixed-size chunks indexed by number:
// a look-up is two array steps. A chunk goes once every handle in it was
// released. The table is never destroyed, so no object's destructor runs
// while the libraries unload at exit.
#include "zorvcore.h"

#include <array>
#include <limits>
#include <mutex>
#include <span>
#include <vector>

namespace zorvcore {
namespace {

constexpr int32_t kChunkBits = 12;
constexpr int32_t kChunkSize = 1 << kChunkBits;

struct Chunk {
    std::array<std::shared_ptr<HandleObject>, kChunkSize> objects;
    int32_t live = 0;
};

struct Table {
    std::mutex mutex;
    std::vector<std::unique_ptr<Chunk>> chunks;
    int32_t next = 1;

    std::shared_ptr<HandleObject>* slot(int32_t handle) {
        if (handle <= 0 || handle >= next)
            return nullptr;
        const auto chunk = static_cast<std::size_t>(handle >> kChunkBits);
        if (!chunks[chunk])
            return nullptr;
        return &chunks[chunk]->objects[static_cast<std::size_t>(handle & (kChunkSize - 1))];
    }
};

Table& table() {
    static Table* instance = new Table;
    return *instance;
}

} // namespace

int32_t registerHandle(std::shared_ptr<HandleObject> object) {
    if (!object)
        return 0;
    Table& t = table();
    std::lock_guard lock(t.mutex);
    if (t.next == std::numeric_limits<int32_t>::max())
        return 0;
    const int32_t handle = t.next++;
    const auto chunk = static_cast<std::size_t>(handle >> kChunkBits);
    if (chunk >= t.chunks.size())
        t.chunks.resize(chunk + 1);
    if (!t.chunks[chunk]) {
        t.chunks[chunk] = std::make_unique<Chunk>();
        // The chunk filled before may have been emptied while it was filling.
        if (chunk > 0 && t.chunks[chunk - 1] && t.chunks[chunk - 1]->live == 0)
            t.chunks[chunk - 1].reset();
    }
    t.chunks[chunk]->objects[static_cast<std::size_t>(handle & (kChunkSize - 1))] =
        std::move(object);
    ++t.chunks[chunk]->live;
    return handle;
}

std::shared_ptr<HandleObject> lookupHandle(int32_t handle) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const auto* slot = t.slot(handle);
    return slot ? *slot : nullptr;
}

std::size_t releaseHandles(std::span<const int32_t> handles) {
    std::vector<std::shared_ptr<HandleObject>> released;
    released.reserve(handles.size());
    std::vector<std::unique_ptr<Chunk>> emptied;
    Table& t = table();
    {
        std::lock_guard lock(t.mutex);
        for (const int32_t handle : handles) {
            auto* slot = t.slot(handle);
            if (!slot || !*slot)
                continue;
            released.push_back(std::move(*slot));
            const auto chunk = static_cast<std::size_t>(handle >> kChunkBits);
            // The chunk being filled stays, so new handles have a place.
            if (--t.chunks[chunk]->live == 0 &&
                chunk != static_cast<std::size_t>(t.next >> kChunkBits))
                emptied.push_back(std::move(t.chunks[chunk]));
        }
    }
    // The objects go after the lock is dropped: their destructors may
    // release handles of their own.
    return released.size();
}

bool releaseHandle(int32_t handle) {
    return releaseHandles(std::span<const int32_t>(&handle, 1)) == 1;
}

} // namespace zorvcore
