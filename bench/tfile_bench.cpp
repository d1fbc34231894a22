// Loading and saving a large T-file through the parser, against the floor of
// reading the same bytes and splitting them into fields with the simplest loop.
// Both sides run with the allocator keeping freed memory (RunBenchmarks).
#include "gamefiles/mdlZorvFD.h"
#include "tfiles/clsTxtParser.h"

#include "support/BenchMain.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kLines = 10000;
constexpr int kValuesPerLine = 60;

// Whole numbers, decimals and texts; the last value is the ID string.
std::string GenerateTFile() {
    std::string text = "// generated for the benchmark\n1;" + std::to_string(kLines) + ";\n";
    for (int line = 0; line < kLines; ++line) {
        for (int value = 0; value < kValuesPerLine - 1; ++value) {
            if (value % 10 == 7)
                text += std::to_string(line % 97) + "." + std::to_string(value) + ";";
            else if (value % 20 == 13)
                text += "text" + std::to_string(value) + ";";
            else
                text += std::to_string((line * 31 + value * 7) % 100000 - 500) + ";";
        }
        text += "SS_OBJ_" + std::to_string((line * 7919) % kLines) + ";\n";
    }
    return text;
}

struct BenchFile {
    QTemporaryDir folder;
    QString path;
    QString savePath;

    BenchFile() {
        path = folder.filePath("TBench.txt");
        savePath = folder.filePath("TBench.saved.txt");
        std::ofstream(path.toStdString(), std::ios::binary) << GenerateTFile();
    }
};

BenchFile& File() {
    static BenchFile file;
    return file;
}

bool LoadParser(clsTxtParser& parser, const QString& path) {
    const int32_t file = mdlZorvFD::ZorvFD_OpenFile(path, 0, 0, 0);
    const bool loaded = file && parser.Load(file);
    mdlZorvFD::ZorvFD_CloseFile(file);
    return loaded;
}

// Reads the file and cuts every line into its fields, nothing more, into
// buffers that keep their storage from one round to the next.
void Floor(benchmark::State& state) {
    const std::string path = File().path.toStdString();
    std::string bytes;
    std::vector<std::string_view> fields;
    for (auto _ : state) {
        ReadWholeFile(path, bytes);
        fields.clear();
        std::size_t start = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == ';') {
                fields.emplace_back(bytes.data() + start, i - start);
                start = i + 1;
            } else if (bytes[i] == '\n') {
                start = i + 1;
            }
        }
        benchmark::DoNotOptimize(fields.data());
    }
}

void Load(benchmark::State& state) {
    clsTxtParser parser;
    for (auto _ : state)
        if (!LoadParser(parser, File().path))
            state.SkipWithError(parser.GetLastError().toStdString().c_str());
    state.counters["objects"] = parser.objects.count();
}

void Save(benchmark::State& state) {
    clsTxtParser parser;
    if (!LoadParser(parser, File().path))
        state.SkipWithError(parser.GetLastError().toStdString().c_str());
    for (auto _ : state) {
        const int32_t file = mdlZorvFD::ZorvFD_OpenFile(File().savePath, 1, 1, 1);
        if (!parser.Save(file))
            state.SkipWithError(parser.GetLastError().toStdString().c_str());
        mdlZorvFD::ZorvFD_CloseFile(file);
    }
}

BENCHMARK(Floor)->Name("floor_split_fields")->Unit(benchmark::kMillisecond);
BENCHMARK(Load)->Name("clsTxtParser_Load")->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Name("clsTxtParser_Save")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(
        argc, argv, {TimeOverFloor("tfile_load", "clsTxtParser_Load", "floor_split_fields", 4)});
}
