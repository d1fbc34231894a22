#include "VirtualFileSystem.h"

#include "Catalog.h"
#include "FdPaths.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace zorvvfs {
namespace {

// The data folder's top-level catalogs in name order, letter case ignored.
std::vector<std::string> topCatalogNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder, ec)) {
        const std::string name = item.path().filename().string();
        if (zorvfd::isCatalogName(name) && item.is_regular_file(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::make_pair(zorvfd::lowerAscii(a), a) < std::make_pair(zorvfd::lowerAscii(b), b);
    });
    return names;
}

// Loose files as (path in the file system, disk path), sorted so that the
// result does not depend on the order the folder lists them in.
std::vector<std::pair<std::string, std::string>>
looseFiles(const fs::path& folder, const std::set<std::string>& skippedTopNames) {
    std::vector<std::pair<std::string, std::string>> files;
    std::error_code ec;
    // Linked folders are not followed, so a link loop cannot recurse.
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ignored;
        if (!it->is_regular_file(ignored))
            continue;
        const fs::path relative = it->path().lexically_relative(folder);
        if (it.depth() == 0 && skippedTopNames.count(relative.string()) != 0)
            continue;
        // What a catalog's rebuild or lock left is no file of the game.
        if (zorvfd::Catalog::isLeftoverName(it->path().filename().string()))
            continue;
        std::string vfsPath;
        bool addressable = true;
        for (const fs::path& part : relative) {
            const std::string text = part.string();
            addressable = addressable && text.find('\\') == std::string::npos;
            vfsPath += (vfsPath.empty() ? "" : "\\") + text;
        }
        if (addressable)
            files.emplace_back(std::move(vfsPath), it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

void addCatalogEntries(const zorvfd::Catalog& catalog, FolderTree& tree) {
    for (const zorvfd::CatalogEntry& entry : catalog.entries())
        tree.addFile(entry.path, catalog.path() + "::" + entry.path);
}

bool VirtualFileSystem::init(const std::string& dataFolder, std::string& error) {
    tree_ = FolderTree();
    if (dataFolder.empty())
        return true;
    std::error_code ec;
    if (!fs::is_directory(dataFolder, ec)) {
        error = "The data folder \"" + dataFolder + "\" does not exist.";
        return false;
    }
    const fs::path folder(dataFolder);
    std::set<std::string> skipped;
    std::string failures;
    for (const std::string& name : topCatalogNames(folder)) {
        const std::string path = (folder / name).string();
        skipped.insert(name);
        skipped.insert(fs::path(zorvfd::Catalog::dataPathFor(path)).filename().string());
        std::string reason;
        if (auto catalog = zorvfd::Catalog::open(path, reason))
            addCatalogEntries(*catalog, tree_);
        else
            failures += (failures.empty() ? "" : "\n") + reason;
    }
    for (auto& [vfsPath, diskPath] : looseFiles(folder, skipped))
        tree_.addFile(vfsPath, std::move(diskPath));
    if (!failures.empty())
        error = failures;
    return failures.empty();
}

bool VirtualFileSystem::appendCatalog(const std::string& catalogPath, std::string& error) {
    auto catalog = zorvfd::Catalog::open(catalogPath, error);
    if (!catalog)
        return false;
    addCatalogEntries(*catalog, tree_);
    return true;
}

} // namespace zorvvfs
