#include "FdPaths.h"

#include <algorithm>
#include <cstdio>

namespace zorvfd {

SplitPath splitPath(std::string_view path) {
    SplitPath split;
    const auto at = path.find("::");
    if (at == std::string_view::npos) {
        split.outer = std::string(path);
        return split;
    }
    split.inCatalog = true;
    split.outer = std::string(path.substr(0, at));
    split.inner = std::string(path.substr(at + 2));
    return split;
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool hasExtension(std::string_view path, std::string_view extension) {
    if (path.size() <= extension.size() + 1)
        return false;
    const auto dot = path.size() - extension.size() - 1;
    if (path[dot] != '.')
        return false;
    // ".cat" alone is a hidden file's name, not an extension.
    const char before = path[dot - 1];
    return before != '/' && before != '\\' &&
           lowerAscii(path.substr(dot + 1)) == lowerAscii(extension);
}

bool isCatalogName(std::string_view path) {
    return hasExtension(path, "cat");
}

bool normalizeInnerPath(std::string_view raw, std::string& normalized, std::string& reason) {
    normalized.assign(raw);
    std::replace(normalized.begin(), normalized.end(), '/', '\\');
    if (normalized.empty()) {
        reason = "the path inside the catalog is empty";
        return false;
    }
    if (normalized.front() == '\\' || (normalized.size() >= 2 && normalized[1] == ':')) {
        reason = "the path \"" + normalized + "\" is absolute";
        return false;
    }
    // A name no file list could show or a user type: NUL, escape, tab,
    // line breaks and the other control bytes.
    const auto control = std::find_if(normalized.begin(), normalized.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
    if (control != normalized.end()) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(*control));
        reason = "the path holds a control character (" + std::string(hex) + ") at byte " +
                 std::to_string(control - normalized.begin() + 1);
        return false;
    }
    for (std::string_view part : splitInner(normalized)) {
        if (part.empty()) {
            reason = "the path \"" + normalized + "\" has an empty part";
            return false;
        }
        if (part == "." || part == "..") {
            reason = "the path \"" + normalized + "\" contains \"" + std::string(part) + "\"";
            return false;
        }
    }
    return true;
}

std::vector<std::string_view> splitInner(std::string_view normalized) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto end = normalized.find('\\', start);
        parts.push_back(normalized.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return parts;
}

} // namespace zorvfd
