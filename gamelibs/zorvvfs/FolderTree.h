// Folders and files by path, letter case ignored, "\" between folders.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zorvvfs {

struct FindRecord {
    int32_t kind = 0; // ZORV_VFS_KIND_FILE or ZORV_VFS_KIND_DIRECTORY
    std::string name;
    std::string realName;
};

struct SearchStyle {
    // A folder record names the folder's whole path (the file system walks
    // the tree with it) or only its last part (the catalog dialog pushes it
    // as one level).
    bool folderFullPath = true;
    // A name pattern without "." also matches a file's name without its
    // extension: "v\00042" finds "00042.bod".
    bool matchTitle = true;
    // Folders are matched by the pattern without its extension, so a filter
    // such as "*.txt;*.pck" still shows the folders to go into.
    bool folderIgnoresExtension = false;
};

class FolderTree {
public:
    // path is "\"-separated without empty parts; a file already at that
    // path (any letter case) is replaced, with the new spelling.
    void addFile(std::string_view path, std::string realName);
    // The real name, or nullptr. "/" is accepted and a leading "\" ignored.
    const std::string* findFile(std::string_view path) const;
    // pattern: an optional folder path, "\", and a name pattern; ";" separates
    // alternatives. Folders come first, then files, each in name order.
    std::vector<FindRecord> search(std::string_view pattern, const SearchStyle& style) const;

private:
    struct File {
        std::string name;
        std::string realName;
    };
    struct Folder {
        std::string name;
        std::string path;
        std::map<std::string, std::unique_ptr<Folder>> folders; // by lower-case name
        std::map<std::string, File> files;
    };
    const Folder* findFolder(std::string_view path) const;

    Folder root_;
};

} // namespace zorvvfs
