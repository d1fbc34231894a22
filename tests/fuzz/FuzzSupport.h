// Shared by the fuzz targets: the check that stops on a broken promise, and
// a scratch folder for the readers that only take a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace fuzzsupport {

// Aborts with the promise and where it stands, so libFuzzer keeps the input
// and a replay fails.
void promise(bool kept, const char* what, const char* file, int line);

// A folder of this process, on tmpfs when the machine has one, removed at
// exit; the registry lives in it too, so no target touches the user's.
const std::filesystem::path& scratchDir();
// Writes the bytes into the scratch folder and gives the file's path.
std::string writeScratch(const std::string& name, std::string_view bytes);
std::string readScratch(const std::string& name);

inline std::string_view bytesOf(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace fuzzsupport

#define FUZZ_PROMISE(kept) fuzzsupport::promise((kept), #kept, __FILE__, __LINE__)
