// Each test runs with a fresh folder of its own: the registry lives in
// registry/, test data goes in data/. Both are removed after the test.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

std::filesystem::path testRoot();
std::filesystem::path dataDir();
std::filesystem::path registryDir();

// Small file helpers for fixtures; the parent folders are created.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);

// Where the program's own folder is: the libraries sit beside the tests.
std::filesystem::path programDir();

// Called by the test main around every test.
void beginTest();
void endTest();

} // namespace testsupport
