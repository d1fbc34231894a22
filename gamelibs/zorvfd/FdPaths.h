// Path forms of the file driver: a disk path, or "catalog path::inner path"
// split at the first "::". Inner paths use "\" between folders ("/" is
// accepted) and are compared without regard to letter case.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zorvfd {

struct SplitPath {
    bool inCatalog = false;
    std::string outer; // the disk path, or the catalog's disk path
    std::string inner; // as given, only when inCatalog
};

SplitPath splitPath(std::string_view path);

std::string lowerAscii(std::string_view text);
bool hasExtension(std::string_view path, std::string_view extension); // extension without "."
bool isCatalogName(std::string_view path);

// Checks an inner path and brings it to the "\" form. Refused: empty,
// absolute, a drive prefix, empty parts, "." or "..", control characters.
bool normalizeInnerPath(std::string_view raw, std::string& normalized, std::string& reason);

// Parts of a normalized inner path.
std::vector<std::string_view> splitInner(std::string_view normalized);

} // namespace zorvfd
