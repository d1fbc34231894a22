// Opening, reading every sector of and saving a generated universe map of 300
// sectors with 60 objects each, against pugixml parsing and saving the same
// bytes as the floor. The floor's save is as durable as the map's own (a
// temporary file flushed to the disk, renamed over the old one, the folder
// flushed), so neither side is timed without the disk's wait.
#include "galaxy/clsGalaxyParser.h"

#include "support/BenchMain.h"
#include "support/UniverseMapText.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <fcntl.h>
#include <unistd.h>

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

std::string ReadBytes(const QString& path) {
    std::string bytes;
    ReadWholeFile(path.toStdString(), bytes);
    return bytes;
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

// The file read into a reused buffer and parsed into a reused
// document.
void FloorParse(benchmark::State& state) {
    const std::string path = Files().path.toStdString();
    std::string bytes;
    pugi::xml_document document;
    for (auto _ : state) {
        ReadWholeFile(path, bytes);
        if (!document.load_buffer(bytes.data(), bytes.size(), kParseOptions))
            state.SkipWithError("pugixml cannot parse the map");
        benchmark::DoNotOptimize(document.first_child());
    }
}

// Replaces the file as an atomic save does: a failure leaves the old one.
bool WriteDurably(const std::string& path, const std::string& folder, const std::string& bytes) {
    const std::string temp = path + ".tmp";
    const int file = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0)
        return false;
    bool written =
        ::write(file, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && ::fsync(file) == 0;
    written = ::close(file) == 0 && written;
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0)
        return false;
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return true;
}

// The document printed into a reused buffer and written durably in one call.
void FloorSave(benchmark::State& state) {
    const std::string path = Files().savePath.toStdString();
    const std::string folder = Files().folder.path().toStdString();
    pugi::xml_document document;
    document.load_buffer(Files().bytes.data(), Files().bytes.size(), kParseOptions);
    StringWriter writer;
    for (auto _ : state) {
        writer.out.clear();
        document.save(writer, "", pugi::format_raw | pugi::format_no_declaration);
        if (!WriteDurably(path, folder, writer.out))
            state.SkipWithError("the floor cannot write the map");
    }
}

std::shared_ptr<clsGalaxyParser> OpenMap(benchmark::State& state) {
    auto document = clsGalaxyParser::Create();
    if (!document->ParseFile(Files().path))
        state.SkipWithError(document->GetLastError().toStdString().c_str());
    return document;
}

// The window keeps one document and opens every file into it.
void Open(benchmark::State& state) {
    const auto document = clsGalaxyParser::Create();
    for (auto _ : state)
        if (!document->ParseFile(Files().path))
            state.SkipWithError(document->GetLastError().toStdString().c_str());
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
    return RunBenchmarks(
        argc, argv,
        {TimeOverFloor("galaxy_open", "galaxy_open_gates_only", "floor_pugixml_parse", 2),
         {"galaxy_load_all_and_save",
          [](const RatioReporter& times) {
              return Ratio(times.time("galaxy_load_all_and_save"),
                           times.time("floor_pugixml_parse") + times.time("floor_pugixml_save"));
          },
          3}});
}
