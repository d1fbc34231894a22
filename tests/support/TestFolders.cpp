#include "support/TestFolders.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {
namespace {
fs::path g_root;
}

fs::path testRoot() {
    if (g_root.empty())
        beginTest();
    return g_root;
}

fs::path dataDir() {
    return testRoot() / "data";
}
fs::path registryDir() {
    return testRoot() / "registry";
}

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

fs::path programDir() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

void beginTest() {
    endTest();
    std::string pattern = (fs::temp_directory_path() / "zorv-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a test folder");
    g_root = pattern;
    fs::create_directories(dataDir());
    fs::create_directories(registryDir());
    setenv("ZORV_REGISTRY_DIR", registryDir().c_str(), 1);
}

void endTest() {
    if (g_root.empty())
        return;
    std::error_code ignored;
    fs::remove_all(g_root, ignored);
    g_root.clear();
}

} // namespace testsupport
