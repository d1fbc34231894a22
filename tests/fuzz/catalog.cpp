// The catalog index: any index text opens or is refused with a reason. An
// index that opens lists entries back to back that read as the data file
// holds them, and an entry written into it (replaced or added) reads back
// while every other entry keeps its bytes, place and spelling.
#include "Catalog.h"
#include "FuzzSupport.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using zorvfd::Catalog;
using zorvfd::CatalogEntry;

namespace {

// Bigger catalogs only check that opening refuses or accepts; writing them
// would copy more than a run should.
constexpr std::uint64_t kDataLimit = 1 << 16;

// What the entries add up to, when every line ends in a size; the data file
// is made that long, so an index can open.
std::uint64_t claimedSize(std::string_view index) {
    std::uint64_t total = 0;
    while (!index.empty()) {
        const auto end = index.find('\n');
        std::string_view line = index.substr(0, end);
        index = end == std::string_view::npos ? std::string_view() : index.substr(end + 1);
        const auto space = line.rfind(' ');
        std::uint64_t size = 0;
        for (const char c : line.substr(space == std::string_view::npos ? line.size() : space + 1))
            size = c >= '0' && c <= '9' && size < kDataLimit ? size * 10 + (c - '0') : size;
        total += size;
        if (total > kDataLimit)
            return 0;
    }
    return total;
}

std::string pattern(std::uint64_t size) {
    std::string bytes(size, '\0');
    for (std::uint64_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

std::string entryBytes(const Catalog& catalog, const CatalogEntry& entry) {
    std::string bytes, error;
    FUZZ_PROMISE(catalog.readEntry(entry, bytes, error));
    return bytes;
}

void checkListing(const Catalog& catalog) {
    std::uint64_t offset = 0;
    for (const CatalogEntry& entry : catalog.entries()) {
        FUZZ_PROMISE(entry.offset == offset);
        FUZZ_PROMISE(catalog.find(entry.path) == &entry);
        offset += entry.size;
    }
}

void checkWrite(const std::string& path, const Catalog& before, const std::string& inner) {
    std::vector<std::string> bytes;
    for (const CatalogEntry& entry : before.entries())
        bytes.push_back(entryBytes(before, entry));
    const CatalogEntry* replaced = before.find(inner);
    std::string error;
    if (!Catalog::writeEntry(path, inner, "written", error)) {
        FUZZ_PROMISE(!error.empty());
        return;
    }
    const auto after = Catalog::open(path, error);
    FUZZ_PROMISE(after != nullptr);
    checkListing(*after);
    const std::size_t count = before.entries().size();
    FUZZ_PROMISE(after->entries().size() == count + (replaced ? 0 : 1));
    for (std::size_t i = 0; i < count; ++i) {
        const CatalogEntry& entry = after->entries()[i];
        FUZZ_PROMISE(entry.path == before.entries()[i].path);
        const bool target = replaced == &before.entries()[i];
        FUZZ_PROMISE(entryBytes(*after, entry) == (target ? "written" : bytes[i]));
    }
    if (!replaced)
        FUZZ_PROMISE(entryBytes(*after, after->entries().back()) == "written");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view index = fuzzsupport::bytesOf(data, size);
    const std::filesystem::path folder = fuzzsupport::scratchDir() / "catalog";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "fuzz.cat").string();
    const std::uint64_t dataSize = claimedSize(index);
    std::ofstream(path, std::ios::binary).write(index.data(), static_cast<std::streamsize>(size));
    std::ofstream(folder / "fuzz.dat", std::ios::binary) << pattern(dataSize);

    std::string error;
    const auto catalog = Catalog::open(path, error);
    if (!catalog) {
        FUZZ_PROMISE(!error.empty());
        return 0;
    }
    checkListing(*catalog);
    // One entry replaced, or one added, chosen by the input.
    const auto& entries = catalog->entries();
    const bool replace = !entries.empty() && size % 2 == 0;
    checkWrite(path, *catalog, replace ? entries[size % entries.size()].path : "fuzz\\added.txt");
    return 0;
}
