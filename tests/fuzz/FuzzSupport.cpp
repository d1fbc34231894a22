#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace fuzzsupport {

void promise(bool kept, const char* what, const char* file, int line) {
    if (kept)
        return;
    std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, what);
    std::abort();
}

namespace {
fs::path makeScratch() {
    const fs::path shm("/dev/shm");
    std::error_code ignored;
    const fs::path base = fs::is_directory(shm, ignored) ? shm : fs::temp_directory_path();
    std::string pattern = (base / "zorv-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch folder");
    fs::create_directories(fs::path(pattern) / "registry");
    setenv("ZORV_REGISTRY_DIR", (fs::path(pattern) / "registry").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return pattern;
}
} // namespace

const fs::path& scratchDir() {
    static const fs::path dir = makeScratch();
    static const struct Remover {
        ~Remover() {
            std::error_code ignored;
            fs::remove_all(dir, ignored);
        }
    } remover;
    return dir;
}

std::string writeScratch(const std::string& name, std::string_view bytes) {
    const fs::path path = scratchDir() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    return path.string();
}

std::string readScratch(const std::string& name) {
    std::ifstream in(scratchDir() / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace fuzzsupport
