// Small helpers for the file driver and file system tests: whole-file
// access through the C entry points, error texts, gzip and catalog fixtures.
#pragma once

#include "support/TestFolders.h"
#include "zorvfd.h"
#include "zorvvfs.h"

#include <zlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fdtest {

using Entries = std::vector<std::pair<std::string, std::string>>;

inline std::string errorText(int32_t code,
                             int32_t (*translate)(int32_t, char*, int32_t, int32_t*)) {
    int32_t needed = 0;
    translate(code, nullptr, 0, &needed);
    std::string text(static_cast<std::size_t>(needed), ' ');
    translate(code, text.data(), needed, &needed);
    return text;
}

inline std::string fdError() {
    return errorText(ZorvFD_GetLastError(), ZorvFD_TranslateError);
}
inline std::string vfsError() {
    return errorText(ZorvVFS_GetLastError(), ZorvVFS_TranslateError);
}

inline std::optional<std::string> readThroughDriver(const std::string& path) {
    const int32_t file = ZorvFD_OpenFile(path.c_str(), 0, 0, 0);
    if (file == 0)
        return std::nullopt;
    std::string content(static_cast<std::size_t>(ZorvFD_FileSize(file)), '\0');
    ZorvFD_ReadFile(file, content.data(), static_cast<int32_t>(content.size()));
    ZorvFD_CloseFile(file);
    return content;
}

inline std::string gzip(const std::string& plain) {
    z_stream zs{};
    deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&zs, plain.size()), '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
    zs.avail_in = static_cast<uInt>(plain.size());
    zs.next_out = reinterpret_cast<Bytef*>(packed.data());
    zs.avail_out = static_cast<uInt>(packed.size());
    deflate(&zs, Z_FINISH);
    packed.resize(zs.total_out);
    deflateEnd(&zs);
    return packed;
}

inline bool looksPacked(const std::string& bytes) {
    return bytes.size() >= 2 && bytes[0] == '\x1f' && bytes[1] == '\x8b';
}

// A catalog written by hand in the documented format.
inline std::string makeCatalog(const std::filesystem::path& cat, const Entries& entries) {
    std::string index, data;
    for (const auto& [path, bytes] : entries) {
        index += path + " " + std::to_string(bytes.size()) + "\n";
        data += bytes;
    }
    testsupport::writeFile(cat, index);
    std::filesystem::path dat = cat;
    testsupport::writeFile(dat.replace_extension(".dat"), data);
    return cat.string();
}

inline std::filesystem::path data(const std::string& name) {
    return testsupport::dataDir() / name;
}

} // namespace fdtest
