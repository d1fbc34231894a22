// The one handle space of the process. The table is never destroyed, so no
// object's destructor runs while the libraries unload at exit.
#include "zorvcore.h"

#include <limits>
#include <mutex>
#include <unordered_map>

namespace zorvcore {
namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<int32_t, std::shared_ptr<HandleObject>> objects;
    int32_t next = 1;
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
    t.objects.emplace(handle, std::move(object));
    return handle;
}

std::shared_ptr<HandleObject> lookupHandle(int32_t handle) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.objects.find(handle);
    return it == t.objects.end() ? nullptr : it->second;
}

bool releaseHandle(int32_t handle) {
    std::shared_ptr<HandleObject> released;
    Table& t = table();
    {
        std::lock_guard lock(t.mutex);
        auto it = t.objects.find(handle);
        if (it == t.objects.end())
            return false;
        released = std::move(it->second);
        t.objects.erase(it);
    }
    // The object goes after the lock is dropped: its destructor may release
    // handles of its own.
    return true;
}

} // namespace zorvcore
