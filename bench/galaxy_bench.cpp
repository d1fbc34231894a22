// Opening, reading every sector of and saving a generated universe map of 300
// sectors with 60 objects each, against pugixml parsing and saving the same
// bytes as the floor.
#include "galaxy/clsGalaxyParser.h"

#include "support/RatioReporter.h"
#include "support/UniverseMapText.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Options and output form of the map document's own XML layer.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_doctype | pugi::parse_pi | pugi::parse_comments |
                                   pugi::parse_ws_pcdata;

struct BenchFiles {
    QTemporaryDir folder;
    QString path;
    QString savePath;
    std::string bytes;

    BenchFiles() {
        path = folder.filePath("universe.xml");
        savePath = folder.filePath("universe.saved.xml");
        bytes = benchmap::GenerateMap();
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    }
};

BenchFiles& Files() {
    static BenchFiles files;
    return files;
}

// Reads the whole file in one call, as fast as the floor can get its bytes.
std::string ReadBytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

void FloorParse(benchmark::State& state) {
    for (auto _ : state) {
        const std::string bytes = ReadBytes(Files().path);
        pugi::xml_document document;
        if (!document.load_buffer(bytes.data(), bytes.size(), kParseOptions))
            state.SkipWithError("pugixml cannot parse the map");
        benchmark::DoNotOptimize(document.first_child());
    }
}

void FloorSave(benchmark::State& state) {
    pugi::xml_document document;
    document.load_buffer(Files().bytes.data(), Files().bytes.size(), kParseOptions);
    for (auto _ : state) {
        StringWriter writer;
        document.save(writer, "", pugi::format_raw | pugi::format_no_declaration);
        std::ofstream(Files().savePath.toStdString(), std::ios::binary) << writer.out;
    }
}

std::shared_ptr<clsGalaxyParser> OpenMap(benchmark::State& state) {
    auto document = clsGalaxyParser::Create();
    if (!document->ParseFile(Files().path))
        state.SkipWithError(document->GetLastError().toStdString().c_str());
    return document;
}

void Open(benchmark::State& state) {
    std::shared_ptr<clsGalaxyParser> document;
    for (auto _ : state)
        document = OpenMap(state);
    state.counters["sectors"] = document->Sectors.count();
    state.counters["objects"] = document->objects.count();
}

void LoadAllAndSave(benchmark::State& state) {
    std::shared_ptr<clsGalaxyParser> document;
    for (auto _ : state) {
        state.PauseTiming();
        document = OpenMap(state);
        state.ResumeTiming();
        for (const auto& sector : document->Sectors)
            if (!document->LoadSectorChildren(sector))
                state.SkipWithError(document->GetLastError().toStdString().c_str());
        if (!document->SaveFile(Files().savePath, 1))
            state.SkipWithError(document->GetLastError().toStdString().c_str());
    }
    state.counters["objects"] = document->objects.count();
    if (ReadBytes(Files().savePath) != Files().bytes)
        state.SkipWithError("the saved map differs from the one read");
}

// The two halves of the above, apart.
void LoadAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto document = OpenMap(state);
        state.ResumeTiming();
        for (const auto& sector : document->Sectors)
            document->LoadSectorChildren(sector);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}

void SaveLoaded(benchmark::State& state) {
    auto document = OpenMap(state);
    for (const auto& sector : document->Sectors)
        document->LoadSectorChildren(sector);
    for (auto _ : state)
        if (!document->SaveFile(Files().savePath, 1))
            state.SkipWithError(document->GetLastError().toStdString().c_str());
}

BENCHMARK(FloorParse)->Name("floor_pugixml_parse")->Unit(benchmark::kMillisecond);
BENCHMARK(FloorSave)->Name("floor_pugixml_save")->Unit(benchmark::kMillisecond);
BENCHMARK(Open)->Name("galaxy_open_gates_only")->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAllAndSave)->Name("galaxy_load_all_and_save")->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAll)->Name("galaxy_load_all")->Unit(benchmark::kMillisecond);
BENCHMARK(SaveLoaded)->Name("galaxy_save_loaded")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto time = [&](const char* name) { return reporter.time(name); };
    const double parse = time("floor_pugixml_parse");
    const double save = time("floor_pugixml_save");
    if (parse > 0 && save > 0) {
        std::printf("open / parse floor: %.2fx (target 2x)\n",
                    time("galaxy_open_gates_only") / parse);
        std::printf("load all and save / (parse + save) floor: %.2fx (target 3x)\n",
                    time("galaxy_load_all_and_save") / (parse + save));
    }
    benchmark::Shutdown();
    return 0;
}
