// Opening, reading every sector of and saving a generated universe map of 300
// sectors with 60 objects each, against pugixml parsing and saving the same
// bytes as the floor.
#include "galaxy/clsGalaxyParser.h"

#include "support/BenchMain.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kSectors = 300;
constexpr int kColumns = 20;

// Options and output form of the map document's own XML layer.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_doctype | pugi::parse_pi | pugi::parse_comments |
                                   pugi::parse_ws_pcdata;

struct MapWriter {
    std::string text;
    int depth = 1;
    int serial = 0;

    void Open(const std::string& attributes) {
        text += std::string(depth * 2, ' ') + "<o " + attributes + ">\n";
        ++depth;
    }
    void Close() {
        --depth;
        text += std::string(depth * 2, ' ') + "</o>\n";
    }
    void Leaf(const std::string& attributes) {
        text += std::string(depth * 2, ' ') + "<o " + attributes + "/>\n";
    }
    // A position and rotation that differ from object to object.
    std::string Place() {
        ++serial;
        return " x=\"" + std::to_string(serial * 7919 % 20000000 - 10000000) + "\" y=\"" +
               std::to_string(serial * 104729 % 4000000 - 2000000) + "\" z=\"" +
               std::to_string(serial * 1299709 % 20000000 - 10000000) + "\" a=\"" +
               std::to_string(serial % 65536) + "\" b=\"0\" g=\"" +
               std::to_string(serial * 3 % 65536) + "\"";
    }
};

// Each sector: background, sun, three planets, four gates, two docks and a
// factory with their containers and wares or ships, eight flying ships and
// fifteen asteroids: 60 objects below the sector.
std::string GenerateMap() {
    MapWriter map;
    map.text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<universe xmlns=\"XUNIVERS.xsd\">\n";
    for (int sector = 0; sector < kSectors; ++sector) {
        const int x = sector % kColumns;
        const int y = sector / kColumns;
        map.Open("t=\"1\" s=\"0\" x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
                 "\" r=\"" + std::to_string(sector % 10 + 1) +
                 "\" color=\"1193046\" ff=\"0\" fc=\"0\" fn=\"0\" m=\"3\"");
        map.Leaf("t=\"2\" s=\"" + std::to_string(sector % 12) + "\"");
        map.Leaf("t=\"3\" s=\"1\" color=\"16777215\"" + map.Place());
        for (int planet = 0; planet < 3; ++planet)
            map.Leaf("t=\"4\" s=\"" + std::to_string(planet) + "\"" + map.Place());
        for (int gate = 0; gate < 4; ++gate)
            map.Leaf("t=\"18\" s=\"" + std::to_string(gate) + "\" r=\"1\" gid=\"" +
                     std::to_string(gate) + "\" gtid=\"" + std::to_string(gate ^ 1) + "\" gx=\"" +
                     std::to_string((x + 1) % kColumns) + "\" gy=\"" + std::to_string(y) + "\"" +
                     map.Place());
        for (int dock = 0; dock < 2; ++dock) {
            map.Open("t=\"5\" s=\"" + std::to_string(dock) + "\" r=\"1\"" + map.Place());
            for (const char* group : {"8", "5"}) {
                map.Open(std::string("t=\"23\" s=\"") + group + "\"");
                for (int item = 0; item < 3; ++item)
                    map.Leaf("t=\"11\" s=\"" + std::to_string(item) + "\" n=\"" +
                             std::to_string(100 + item) + "\"");
                map.Close();
            }
            map.Close();
        }
        map.Open("t=\"6\" s=\"4\" r=\"1\"" + map.Place());
        for (const char* group : {"6", "7", "5"}) {
            map.Open(std::string("t=\"23\" s=\"") + group + "\"");
            for (int item = 0; item < 2; ++item)
                map.Leaf("t=\"12\" s=\"" + std::to_string(item) + "\" n=\"50\"");
            map.Close();
        }
        map.Close();
        for (int ship = 0; ship < 8; ++ship)
            map.Leaf("t=\"7\" s=\"" + std::to_string(ship * 13 % 90) + "\" r=\"2\"" + map.Place());
        for (int asteroid = 0; asteroid < 15; ++asteroid)
            map.Leaf("t=\"17\" s=\"" + std::to_string(asteroid % 5) + "\" atype=\"" +
                     std::to_string(asteroid % 3) + "\" aamount=\"" +
                     std::to_string(asteroid * 7 % 64) + "\"" + map.Place());
        map.Close();
    }
    map.text += "</universe>\n";
    return map.text;
}

struct BenchFiles {
    QTemporaryDir folder;
    QString path;
    QString savePath;
    std::string bytes;

    BenchFiles() {
        path = folder.filePath("universe.xml");
        savePath = folder.filePath("universe.saved.xml");
        bytes = GenerateMap();
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

// The document printed into a reused buffer and written in one call.
void FloorSave(benchmark::State& state) {
    const std::string path = Files().savePath.toStdString();
    pugi::xml_document document;
    document.load_buffer(Files().bytes.data(), Files().bytes.size(), kParseOptions);
    StringWriter writer;
    for (auto _ : state) {
        writer.out.clear();
        document.save(writer, "", pugi::format_raw | pugi::format_no_declaration);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(writer.out.data(), 1, writer.out.size(), file);
        std::fclose(file);
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
        {{"galaxy_open",
          [](const RatioReporter& times) {
              return Ratio(times.time("galaxy_open_gates_only"), times.time("floor_pugixml_parse"));
          },
          2},
         {"galaxy_load_all_and_save",
          [](const RatioReporter& times) {
              return Ratio(times.time("galaxy_load_all_and_save"),
                           times.time("floor_pugixml_parse") + times.time("floor_pugixml_save"));
          },
          3}});
}
