// Handles of stores and their lines in the shared handle space.
//
// Releasing a store does not end its lines: a copied line must stay readable
// after its file closed (it is pasted into another file). So the handle table
// keeps the lines of released stores, read-only. To keep that from growing
// without end, the lines of the oldest released stores are let go once the
// released lines together take more than a fixed budget; their handles then
// fail as stale ones. The lines of the store released last are always kept.
#pragma once
#include "TFileStore.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zorvstore {

inline constexpr std::size_t kReleasedLinesBudget = 64 * 1024 * 1024;

// Registers the store and each of its lines; 0 with the reason in error.
int32_t registerStore(const std::shared_ptr<TFileStore>& store, std::string& error);
// Registers a new line of the store; 0 when the handle space is used up.
int32_t registerLine(const std::shared_ptr<TFileLine>& line);
void releaseStore(TFileStore& store);
// A line removed from its file, or a kept line of a released store.
void releaseLine(TFileLine& line);

} // namespace zorvstore
