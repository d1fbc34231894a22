// Loading a language's page cache and looking texts up in it, against
// pugixml parsing the same bytes as the floor.
//
// Two language sets of 10 files with 50,000 texts in all; every tenth text
// refers to a random text of its file. In the first every text lies on a
// page the cache keeps (page 17 in every file, the other cached pages in one
// file each); in the second four fifths lie on pages the cache skips, so
// most references lead into pages that are read only to resolve them.
#include "gamefiles/mdlZorvVFS.h"
#include "resources/clsDescServer.h"

#include "support/BenchMain.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 10;
constexpr int kTextsPerFile = 5000;
constexpr int kPage17PerFile = 500;
constexpr int kLookUps = 100000;

struct LanguageSet {
    fs::path folder;
    std::vector<std::string> files;
    // The texts on cached pages.
    std::vector<std::pair<int32_t, int32_t>> cached;

    explicit LanguageSet(bool allCached) {
        std::string pattern = (fs::temp_directory_path() / "zorv-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        fs::create_directories(folder / "t");
        const std::array<int32_t, 15> others = {7,    2000, 2001, 2002, 2003, 2004, 2005, 2006,
                                                2007, 2008, 2009, 2010, 2011, 2012, 2013};
        std::mt19937 random(44);
        for (int file = 0; file < kFiles; ++file) {
            // The file's pages and how many texts each gets.
            std::vector<std::pair<int32_t, int>> pages = {{17, kPage17PerFile}};
            std::vector<int32_t> own;
            for (size_t i = file; i < others.size(); i += kFiles)
                own.push_back(others[i]);
            const int rest = kTextsPerFile - kPage17PerFile;
            const int onCached = allCached ? rest : rest / 9;
            for (const int32_t page : own)
                pages.push_back({page, onCached / int(own.size())});
            for (int page = 0; !allCached && page < 8; ++page)
                pages.push_back({100 + file * 10 + page, (rest - onCached) / 8});

            std::vector<std::pair<int32_t, int32_t>> inFile;
            for (const auto& [page, count] : pages)
                for (int i = 1; i <= count; ++i)
                    inFile.push_back({page, page == 17 ? file * kPage17PerFile + i : i});
            std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language id=\"44\">\n";
            size_t at = 0;
            for (const auto& [page, count] : pages) {
                xml += "  <page id=\"" + std::to_string(page) + "\" title=\"Page " +
                       std::to_string(page) + "\" descr=\"Generated\">\n";
                for (int i = 0; i < count; ++i, ++at) {
                    const auto [p, id] = inFile[at];
                    xml += "    <t id=\"" + std::to_string(id) + "\">";
                    if (at % 10 == 9) {
                        const auto [tp, tid] = inFile[random() % inFile.size()];
                        xml += '{';
                        xml += std::to_string(tp) + "," + std::to_string(tid) + "}";
                    } else {
                        xml += "Text " + std::to_string(p) + "/" + std::to_string(id) +
                               " of the generated set";
                    }
                    xml += "</t>\n";
                }
                xml += "  </page>\n";
            }
            xml += "</language>\n";
            char name[16];
            std::snprintf(name, sizeof name, "44%04d.xml", file + 1);
            std::ofstream(folder / "t" / name, std::ios::binary) << xml;
            files.push_back(std::move(xml));
            for (const auto& text : inFile)
                if (text.first == 17 || text.first < 100)
                    cached.push_back(text);
        }
    }
    ~LanguageSet() { fs::remove_all(folder); }
};

// The set of a benchmark's argument, with the file system opened on it.
const LanguageSet& Set(const benchmark::State& state) {
    static const LanguageSet sets[] = {LanguageSet(true), LanguageSet(false)};
    const LanguageSet& set = sets[state.range(0)];
    mdlZorvVFS::ZorvVFS_InitVFS(QString::fromStdString(set.folder.string()));
    return set;
}

// Each file read into a reused buffer and parsed into a reused
// document.
void PugixmlParse(benchmark::State& state) {
    const LanguageSet& set = Set(state);
    const unsigned options = pugi::parse_default | pugi::parse_declaration | pugi::parse_doctype |
                             pugi::parse_pi | pugi::parse_comments | pugi::parse_ws_pcdata;
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(set.folder / "t"))
        paths.push_back(entry.path().string());
    std::string bytes;
    pugi::xml_document document;
    for (auto _ : state) {
        for (const std::string& path : paths) {
            ReadWholeFile(path, bytes);
            benchmark::DoNotOptimize(document.load_buffer(bytes.data(), bytes.size(), options));
        }
    }
}
BENCHMARK(PugixmlParse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The load at start-up: into an empty server.
void LoadResources(benchmark::State& state) {
    Set(state);
    int texts = 0;
    for (auto _ : state) {
        auto server = std::make_unique<clsDescServer>();
        if (!server->LoadResources(44))
            state.SkipWithError(server->GetLastError().toStdString().c_str());
        state.PauseTiming();
        texts = 0;
        for (const auto& page : server->pages())
            texts += page->Strings.count();
        server.reset();
        state.ResumeTiming();
    }
    state.counters["texts"] = texts;
}
BENCHMARK(LoadResources)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A reload, which also releases the pages loaded before.
void ReloadResources(benchmark::State& state) {
    Set(state);
    clsDescServer server;
    for (auto _ : state)
        if (!server.LoadResources(44))
            state.SkipWithError(server.GetLastError().toStdString().c_str());
}
BENCHMARK(ReloadResources)->Arg(0)->Unit(benchmark::kMillisecond);

void GetString2(benchmark::State& state) {
    const LanguageSet& set = Set(state);
    clsDescServer server;
    server.LoadResources(44);
    std::mt19937 random(7);
    std::vector<std::pair<int32_t, int32_t>> lookUps;
    for (int i = 0; i < kLookUps; ++i)
        lookUps.push_back(set.cached[random() % set.cached.size()]);
    for (auto _ : state)
        for (const auto& [page, id] : lookUps)
            benchmark::DoNotOptimize(server.GetString2(page, id));
    state.SetItemsProcessed(state.iterations() * kLookUps);
}
BENCHMARK(GetString2)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(
        argc, argv,
        {TimeOverFloor("language_load", "LoadResources/0", "PugixmlParse/0", 3),
         TimeOverFloor("language_load_skipped_pages", "LoadResources/1", "PugixmlParse/1", 3)});
}
