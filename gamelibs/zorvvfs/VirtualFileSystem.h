// One tree over a data folder: its own catalogs in name order, then its
// loose files, then appended catalogs in the order appended; a later source
// wins for the same path.
#pragma once
#include "FolderTree.h"

#include <string>

namespace zorvfd {
class Catalog;
}

namespace zorvvfs {

class VirtualFileSystem {
public:
    // An empty folder gives an empty file system. A catalog that cannot be
    // read is left out and reported; the other sources still load.
    bool init(const std::string& dataFolder, std::string& error);
    bool appendCatalog(const std::string& catalogPath, std::string& error);
    const FolderTree& tree() const { return tree_; }

private:
    FolderTree tree_;
};

// The entries of a catalog, each known by "catalog path::inner path".
void addCatalogEntries(const zorvfd::Catalog& catalog, FolderTree& tree);

} // namespace zorvvfs
