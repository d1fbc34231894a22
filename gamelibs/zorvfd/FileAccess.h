// Whole-file reads and commits by path, and the object behind a file handle.
#pragma once
#include "zorvcore.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvfd {

// A file handle holds the whole decoded content; a write handle buffers
// until its content is committed.
struct OpenFile : zorvcore::HandleObject {
    zorvcore::HandleKind kind() const override { return zorvcore::HandleKind::File; }
    std::string path;
    bool writing = false;
    bool packed = false;
    std::string content;
    std::size_t position = 0;
    bool changed = false; // since the last commit
    bool written = false; // ever
};

bool readContent(const std::string& path, std::string& content, std::string& error);
bool readContent(const std::string& path, const zorvcore::Room& room, std::string_view& content,
                 std::string& error);
// Settles plain or packed (type 0: what the existing file is, else a ".pck"
// name means packed) and refuses early a target that cannot be written.
bool prepareWrite(const std::string& path, int32_t fileType, bool& packed, std::string& error);
bool commitContent(const std::string& path, std::string_view content, bool packed,
                   std::string& error);
bool fileExists(const std::string& path, std::string& error);

} // namespace zorvfd
