// Packed files are gzip streams; anything else is plain.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace zorvfd {

// No file, plain or unpacked, may be larger: the sizes cross the C
// interface as 32-bit numbers, and a hostile file must not exhaust memory.
constexpr std::size_t kContentLimit = std::size_t{512} << 20;

bool isPacked(std::string_view bytes);
// The reason on failure names no file; the caller adds the path.
bool unpack(std::string_view packed, std::string& plain, std::string& reason,
            std::size_t limit = kContentLimit);
bool pack(std::string_view plain, std::string& packed, std::string& reason);

} // namespace zorvfd
