#include "FileAccess.h"

#include "Catalog.h"
#include "DiskFile.h"
#include "FdPaths.h"
#include "Packing.h"

#include <cstring>

namespace zorvfd {
namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool checkPath(const std::string& path, SplitPath& split, std::string& error) {
    if (path.empty()) {
        error = "No file name was given.";
        return false;
    }
    split = splitPath(path);
    if (split.inCatalog && !isCatalogName(split.outer)) {
        error = "In " + quoted(path) + ", " + quoted(split.outer) + " is not a catalog (.cat).";
        return false;
    }
    return true;
}

// The first bytes of an existing file or entry; nothing when it is missing.
bool existingPrefix(const SplitPath& split, std::string& prefix, bool& exists, std::string& error) {
    exists = false;
    if (!split.inCatalog) {
        exists = diskKind(split.outer) == DiskKind::File;
        prefix = exists ? readDiskPrefix(split.outer, 2) : std::string();
        return true;
    }
    if (diskKind(split.outer) == DiskKind::Missing)
        return true;
    auto catalog = Catalog::open(split.outer, error);
    if (!catalog)
        return false;
    const CatalogEntry* entry = catalog->find(split.inner);
    exists = entry != nullptr;
    return !exists || catalog->readEntry(*entry, prefix, error, 2);
}

} // namespace

bool readContent(const std::string& path, std::string& content, std::string& error) {
    return zorvcore::readIntoString(content,
                                    [&](const zorvcore::Room& room, std::string_view& got) {
                                        return readContent(path, room, got, error);
                                    });
}

bool readContent(const std::string& path, const zorvcore::Room& room, std::string_view& content,
                 std::string& error) {
    content = {};
    SplitPath split;
    if (!checkPath(path, split, error))
        return false;
    std::string_view raw;
    if (split.inCatalog) {
        auto catalog = Catalog::open(split.outer, error);
        if (!catalog)
            return false;
        const CatalogEntry* entry = catalog->find(split.inner);
        if (!entry) {
            error =
                "File " + quoted(split.inner) + " is not in catalog " + quoted(split.outer) + ".";
            return false;
        }
        if (!catalog->readEntry(*entry, room, raw, error))
            return false;
    } else if (!readDiskFile(path, room, raw, error)) {
        return false;
    }
    if (!isPacked(raw)) {
        content = raw;
        return true;
    }
    std::string plain, reason;
    if (!unpack(raw, plain, reason)) {
        error = "Cannot read packed file " + quoted(path) + ": " + reason + ".";
        return false;
    }
    char* const to = room(plain.size());
    if (!plain.empty())
        std::memcpy(to, plain.data(), plain.size());
    content = {to, plain.size()};
    return true;
}

bool prepareWrite(const std::string& path, int32_t fileType, bool& packed, std::string& error) {
    SplitPath split;
    if (!checkPath(path, split, error))
        return false;
    if (fileType < 0 || fileType > 2) {
        error = "Cannot write " + quoted(path) + ": unknown file type " + std::to_string(fileType) +
                " (1 plain, 2 packed, 0 as the file is).";
        return false;
    }
    std::string normalized, reason;
    if (split.inCatalog && !normalizeInnerPath(split.inner, normalized, reason)) {
        error = "Cannot write " + quoted(path) + ": " + reason + ".";
        return false;
    }
    if (!split.inCatalog && isCatalogName(path)) {
        error = "Cannot write " + quoted(path) +
                ": it is a catalog; a file inside it is written as \"catalog::path\".";
        return false;
    }
    if (!checkWritableTarget(split.outer, error))
        return false;
    std::string prefix;
    bool exists = false;
    if (!existingPrefix(split, prefix, exists, error))
        return false;
    const std::string& name = split.inCatalog ? normalized : split.outer;
    packed =
        fileType == 2 || (fileType == 0 && (exists ? isPacked(prefix) : hasExtension(name, "pck")));
    return true;
}

bool commitContent(const std::string& path, std::string_view content, bool packed,
                   std::string& error) {
    std::string bytes;
    if (packed) {
        std::string reason;
        if (!pack(content, bytes, reason)) {
            error = "Cannot write " + quoted(path) + ": " + reason + ".";
            return false;
        }
        content = bytes;
    }
    const SplitPath split = splitPath(path);
    return split.inCatalog ? Catalog::writeEntry(split.outer, split.inner, content, error)
                           : writeDiskFileAtomically(path, content, error);
}

bool fileExists(const std::string& path, std::string& error) {
    SplitPath split;
    if (!checkPath(path, split, error))
        return false;
    if (!split.inCatalog)
        return diskKind(path) == DiskKind::File;
    auto catalog = Catalog::open(split.outer, error);
    return catalog && catalog->find(split.inner) != nullptr;
}

} // namespace zorvfd

namespace zorvcore {
namespace {

std::shared_ptr<zorvfd::OpenFile> openFile(int32_t file, bool writing, std::string& error) {
    auto open = lookup<zorvfd::OpenFile>(file, HandleKind::File);
    if (!open) {
        error = "Invalid file handle " + std::to_string(file) + ".";
        return nullptr;
    }
    if (open->writing != writing) {
        error = "File \"" + open->path + "\" is open for " +
                (open->writing ? "writing" : "reading") + ", not for " +
                (writing ? "writing." : "reading.");
        return nullptr;
    }
    return open;
}

} // namespace

std::shared_ptr<const std::string> readOpenFile(int32_t file, std::string& error) {
    auto open = openFile(file, false, error);
    if (!open)
        return nullptr;
    return std::shared_ptr<const std::string>(open, &open->content);
}

bool writeOpenFile(int32_t file, std::string_view content, std::string& error) {
    auto open = openFile(file, true, error);
    if (!open)
        return false;
    if (content.size() > zorvfd::kContentLimit - open->position) {
        error = "File \"" + open->path + "\" would be larger than " +
                std::to_string(zorvfd::kContentLimit >> 20) + " MiB.";
        return false;
    }
    const std::size_t end = open->position + content.size();
    if (end > open->content.size())
        open->content.resize(end);
    open->content.replace(open->position, content.size(), content);
    open->position = end;
    open->changed = open->written = true;
    return true;
}

bool commitOpenFile(int32_t file, std::string& error) {
    auto open = openFile(file, true, error);
    if (!open)
        return false;
    if (!open->changed)
        return true;
    // A failed commit has been reported; closing must not retry it and
    // replace a file the caller was told was left alone.
    open->changed = false;
    return zorvfd::commitContent(open->path, open->content, open->packed, error);
}

std::string openFilePath(int32_t file) {
    auto open = lookup<zorvfd::OpenFile>(file, HandleKind::File);
    return open ? open->path : std::string();
}

bool readFile(const std::string& path, std::string& content, std::string& error) {
    return zorvfd::readContent(path, content, error);
}

bool readFile(const std::string& path, const Room& room, std::string_view& content,
              std::string& error) {
    return zorvfd::readContent(path, room, content, error);
}

bool writeFile(const std::string& path, std::string_view content, int32_t fileType,
               std::string& error) {
    bool packed = false;
    return zorvfd::prepareWrite(path, fileType, packed, error) &&
           zorvfd::commitContent(path, content, packed, error);
}

} // namespace zorvcore
