// A catalog: NAME.cat, a text index of "inner path" SPACE "size" lines, and
// NAME.dat beside it with the entries' bytes back to back in index order.
//
// Rebuilds and opens are serialised between processes by an flock on
// ".NAME.cat.lock" beside the catalog (removed by whoever holds it before it
// lets go). An opened catalog keeps its data file open, so a rebuild by
// another program that replaces the files never tears what it reads.
#pragma once
#include "DiskFile.h"
#include "zorvcore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zorvfd {

// Far above any real catalog; an index past it is refused before its
// entries are built, so a hostile one cannot exhaust memory.
inline constexpr std::size_t kEntryLimit = 1'000'000;

struct CatalogEntry {
    std::string path; // normalized, "\" between folders, spelled as stored
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

class Catalog {
public:
    // Reads and checks the index against the data file. The leftovers of an
    // interrupted rebuild are recovered or removed first.
    static std::shared_ptr<const Catalog> open(const std::string& path, std::string& error);

    // Replaces the entry of that inner path, or adds it at the end, and
    // rebuilds both files. A catalog that does not exist yet is created.
    static bool writeEntry(const std::string& catalogPath, const std::string& innerPath,
                           std::string_view bytes, std::string& error);

    // NAME.dat for NAME.cat, the extension in the same letter case.
    static std::string dataPathFor(const std::string& catalogPath);
    // A file name that only a rebuild or the lock of a catalog uses: never
    // one of the game's files.
    static bool isLeftoverName(std::string_view fileName);

    const std::string& path() const { return path_; }
    const std::vector<CatalogEntry>& entries() const { return entries_; }
    // Letter case is ignored; "/" is accepted for "\".
    const CatalogEntry* find(std::string_view innerPath) const;
    // At most limit bytes from the start of the entry.
    bool readEntry(const CatalogEntry& entry, std::string& bytes, std::string& error,
                   std::uint64_t limit = UINT64_MAX) const;
    // The whole entry read into room; bytes views it.
    bool readEntry(const CatalogEntry& entry, const zorvcore::Room& room, std::string_view& bytes,
                   std::string& error, std::uint64_t limit = UINT64_MAX) const;

private:
    static std::shared_ptr<const Catalog> read(const std::string& path, std::string& error);

    std::string path_;
    std::string dataPath_;
    std::unique_ptr<Fd> data_;
    std::vector<CatalogEntry> entries_;
    std::unordered_map<std::string, std::size_t> byKey_;
};

// What ZorvFD_OpenCatalog hands out.
struct CatalogHandle : zorvcore::HandleObject {
    explicit CatalogHandle(std::shared_ptr<const Catalog> c) : catalog(std::move(c)) {}
    zorvcore::HandleKind kind() const override { return zorvcore::HandleKind::Catalog; }
    std::shared_ptr<const Catalog> catalog;
};

} // namespace zorvfd
