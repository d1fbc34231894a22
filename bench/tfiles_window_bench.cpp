// The DIV Avuruz window over a large T-file: opening it (load, fill the
// list, show the first object) against the model's load alone, and sorting
// the list by name against a stable sort of the same case-folded names.
#include "gamefiles/mdlZorvFD.h"
#include "shell/mdlZorvConst.h"
#include "tfiles/clsTxtParser.h"
#include "tfiles/widgets/frmTXTEditor.h"

#include "support/BenchMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kLines = 10000;
constexpr int kValuesPerLine = 60;

std::string GenerateTFile() {
    std::string text = "1;" + std::to_string(kLines) + ";\n";
    for (int line = 0; line < kLines; ++line) {
        for (int value = 0; value < kValuesPerLine - 1; ++value)
            text += std::to_string((line * 31 + value * 7) % 100000) + ";";
        text +=
            (line % 2 ? "ss_laser_" : "SS_LASER_") + std::to_string((line * 7919) % kLines) + ";\n";
    }
    return text;
}

struct BenchFile {
    QTemporaryDir folder;
    QString path;

    BenchFile() {
        path = folder.filePath("TLaser.txt");
        std::ofstream(path.toStdString(), std::ios::binary) << GenerateTFile();
    }
};

BenchFile& File() {
    static BenchFile file;
    return file;
}

void ModelLoad(benchmark::State& state) {
    clsTxtParser parser;
    for (auto _ : state) {
        const int32_t file = mdlZorvFD::ZorvFD_OpenFile(File().path, 0, 0, 0);
        if (!parser.Load(file))
            state.SkipWithError(parser.GetLastError().toStdString().c_str());
        mdlZorvFD::ZorvFD_CloseFile(file);
    }
}

void WindowOpen(benchmark::State& state) {
    frmTXTEditor window;
    window.show();
    auto* list = window.findChild<QTreeView*>("ObjectView");
    for (auto _ : state) {
        QString path = File().path;
        window.OpenFile(path);
        list->setCurrentIndex(list->model()->index(0, 0));
        QApplication::processEvents();
        if (list->model()->rowCount() != kLines)
            state.SkipWithError("the list is not filled");
    }
}

// The names as the list shows them, folded once; each round sorts a copy.
void StableSortFloor(benchmark::State& state) {
    clsTxtParser parser;
    const int32_t file = mdlZorvFD::ZorvFD_OpenFile(File().path, 0, 0, 0);
    parser.Load(file);
    mdlZorvFD::ZorvFD_CloseFile(file);
    std::vector<std::pair<QString, int>> folded;
    for (const auto& object : parser.UnsortedObjects)
        folded.emplace_back(object->ObjectName().toCaseFolded(), static_cast<int>(folded.size()));
    std::vector<std::pair<QString, int>> names;
    names.reserve(folded.size());
    for (auto _ : state) {
        names.assign(folded.begin(), folded.end());
        std::stable_sort(names.begin(), names.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        benchmark::DoNotOptimize(names.data());
    }
}

void SortByName(benchmark::State& state) {
    frmTXTEditor window;
    window.show();
    QString path = File().path;
    window.OpenFile(path);
    auto* sorted = window.findChild<QCheckBox*>("chkSort");
    for (auto _ : state) {
        state.PauseTiming();
        if (sorted->isChecked())
            sorted->click();
        QApplication::processEvents();
        state.ResumeTiming();
        sorted->click();
        QApplication::processEvents();
    }
}

BENCHMARK(ModelLoad)->Name("floor_model_load")->Unit(benchmark::kMillisecond);
BENCHMARK(WindowOpen)->Name("window_open")->Unit(benchmark::kMillisecond);
BENCHMARK(StableSortFloor)->Name("floor_stable_sort_names")->Unit(benchmark::kMillisecond);
BENCHMARK(SortByName)->Name("window_sort_by_name")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir registry;
    setenv("ZORV_REGISTRY_DIR", registry.path().toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);
    mdlZorvConst::InitArrays();
    return RunBenchmarks(argc, argv,
                         {TimeOverFloor("window_open", "floor_model_load", 2),
                          TimeOverFloor("window_sort_by_name", "floor_stable_sort_names", 2)});
}
