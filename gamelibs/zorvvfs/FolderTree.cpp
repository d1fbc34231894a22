#include "FolderTree.h"

#include "FdPaths.h"
#include "Wildcard.h"
#include "zorvvfs.h"

#include <algorithm>

namespace zorvvfs {
namespace {

std::string_view titleOf(std::string_view name) {
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

std::vector<std::string_view> alternativesOf(std::string_view pattern) {
    std::vector<std::string_view> alternatives;
    while (true) {
        const auto end = pattern.find(';');
        const std::string_view part = pattern.substr(0, end);
        const auto first = part.find_first_not_of(' ');
        if (first != std::string_view::npos)
            alternatives.push_back(part.substr(first, part.find_last_not_of(' ') + 1 - first));
        if (end == std::string_view::npos)
            return alternatives;
        pattern.remove_prefix(end + 1);
    }
}

bool matchesFile(const std::vector<std::string_view>& alternatives, std::string_view name,
                 const SearchStyle& style) {
    return std::any_of(alternatives.begin(), alternatives.end(), [&](std::string_view p) {
        return wildcardMatch(p, name) ||
               (style.matchTitle && p.find('.') == std::string_view::npos &&
                wildcardMatch(p, titleOf(name)));
    });
}

bool matchesFolder(const std::vector<std::string_view>& alternatives, std::string_view name,
                   const SearchStyle& style) {
    return std::any_of(alternatives.begin(), alternatives.end(), [&](std::string_view p) {
        return wildcardMatch(style.folderIgnoresExtension ? titleOf(p) : p, name);
    });
}

// "/" becomes "\", and a leading "\" goes.
std::string normalizeVfsPath(std::string_view path) {
    std::string normalized(path);
    std::replace(normalized.begin(), normalized.end(), '/', '\\');
    const auto start = normalized.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : normalized.substr(start);
}

} // namespace

void FolderTree::addFile(std::string_view path, std::string realName) {
    const auto parts = zorvfd::splitInner(path);
    Folder* folder = &root_;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        auto& child = folder->folders[zorvfd::lowerAscii(parts[i])];
        if (!child) {
            child = std::make_unique<Folder>();
            child->name = std::string(parts[i]);
            child->path = folder->path.empty() ? child->name : folder->path + "\\" + child->name;
        }
        folder = child.get();
    }
    folder->files[zorvfd::lowerAscii(parts.back())] = {std::string(parts.back()),
                                                       std::move(realName)};
}

const FolderTree::Folder* FolderTree::findFolder(std::string_view path) const {
    const Folder* folder = &root_;
    if (path.empty())
        return folder;
    for (std::string_view part : zorvfd::splitInner(path)) {
        auto it = folder->folders.find(zorvfd::lowerAscii(part));
        if (it == folder->folders.end())
            return nullptr;
        folder = it->second.get();
    }
    return folder;
}

const std::string* FolderTree::findFile(std::string_view path) const {
    const std::string normalized = normalizeVfsPath(path);
    const auto slash = normalized.rfind('\\');
    const Folder* folder =
        findFolder(slash == std::string::npos ? std::string_view()
                                              : std::string_view(normalized).substr(0, slash));
    if (!folder)
        return nullptr;
    auto it = folder->files.find(zorvfd::lowerAscii(normalized.substr(slash + 1)));
    return it == folder->files.end() ? nullptr : &it->second.realName;
}

std::vector<FindRecord> FolderTree::search(std::string_view pattern,
                                           const SearchStyle& style) const {
    std::vector<FindRecord> records;
    const std::string normalized = normalizeVfsPath(pattern);
    const auto slash = normalized.rfind('\\');
    const std::string_view folderPath = slash == std::string::npos
                                            ? std::string_view()
                                            : std::string_view(normalized).substr(0, slash);
    const std::string_view namePattern =
        std::string_view(normalized).substr(slash == std::string::npos ? 0 : slash + 1);
    const Folder* folder = findFolder(folderPath);
    const auto alternatives = alternativesOf(namePattern);
    if (!folder || alternatives.empty())
        return records;
    for (const auto& [key, child] : folder->folders) {
        if (matchesFolder(alternatives, child->name, style))
            records.push_back({ZORV_VFS_KIND_DIRECTORY,
                               style.folderFullPath ? child->path : child->name, std::string()});
    }
    for (const auto& [key, file] : folder->files) {
        if (matchesFile(alternatives, file.name, style))
            records.push_back({ZORV_VFS_KIND_FILE, file.name, file.realName});
    }
    return records;
}

} // namespace zorvvfs
