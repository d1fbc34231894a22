// The Ruvaze Rezivo on the 300-sector map of the model benchmark, offscreen:
// opening it into the window (tree filled, labels with names from the text
// resources and the T-files), then expanding every sector and relabelling the
// tree with every label part. The floors are the map model's own open and
// reading of every sector, measured in the same run.
#include "galaxy/clsGalaxyParser.h"
#include "galaxy/widgets/frmGalaxyEditor.h"
#include "gamefiles/mdlZorvVFS.h"
#include "resources/clsDescServer.h"
#include "tfiles/clsArchive.h"

#include "support/BenchMain.h"
#include "support/UniverseMapText.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

void WriteFile(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// A T-file of `count` records whose name number (value 6) is 100 + position.
std::string TFile(const std::string& prefix, int count) {
    std::string text = "1;" + std::to_string(count) + ";\n";
    for (int i = 0; i < count; ++i)
        text += "0;0;0;0;0;0;" + std::to_string(100 + i) + ";" + prefix + std::to_string(i) + ";\n";
    return text;
}

// Sector names on page 7 and object names on page 17.
std::string Language() {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language id=\"44\">\n"
                       "<page id=\"7\" title=\"Sectors\" descr=\"\">\n";
    for (int sector = 0; sector < benchmap::kSectors; ++sector) {
        const int x = sector % benchmap::kColumns;
        const int y = sector / benchmap::kColumns;
        char id[16];
        std::snprintf(id, sizeof id, "102%02d%02d", y + 1, x + 1);
        text += std::string("<t id=\"") + id + "\">Sector " + std::to_string(sector) + "</t>\n";
    }
    text += "</page>\n<page id=\"17\" title=\"Objects\" descr=\"\">\n";
    for (int name = 50; name < 200; ++name)
        text += "<t id=\"" + std::to_string(name) + "\">Object " + std::to_string(name) + "</t>\n";
    return text + "</page>\n</language>\n";
}

struct BenchData {
    QTemporaryDir folder;
    QString mapPath;

    BenchData() {
        qputenv("ZORV_REGISTRY_DIR", folder.filePath("registry").toUtf8());
        const QString data = folder.filePath("data");
        mapPath = folder.filePath("universe.xml");
        WriteFile(mapPath, benchmap::GenerateMap());
        WriteFile(data + "/t/440001.xml", Language());
        const struct {
            const char* file;
            const char* prefix;
            int count;
        } tables[] = {
            {"TSuns", "SS_SUN_", 5},      {"TPlanets", "SS_PL_", 5},    {"TDocks", "SS_DOCK_", 5},
            {"TFactories", "SS_FAC_", 5}, {"TShips", "SS_SH_", 90},     {"TWareE", "SS_WE_", 5},
            {"TWareN", "SS_WN_", 5},      {"TAsteroids", "SS_AST_", 5}, {"TGates", "SS_GATE_", 5}};
        for (const auto& table : tables)
            WriteFile(data + "/types/" + table.file + ".txt", TFile(table.prefix, table.count));
        mdlZorvVFS::ZorvVFS_InitVFS(data);
        ResetDescServer();
        DescServer().LoadResources(44);
        CreateArchive();
    }
};

BenchData& Data() {
    static BenchData data;
    return data;
}

std::shared_ptr<clsGalaxyParser> OpenModel(benchmark::State& state) {
    auto document = clsGalaxyParser::Create();
    if (!document->ParseFile(Data().mapPath))
        state.SkipWithError(document->GetLastError().toStdString().c_str());
    return document;
}

void ModelOpen(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenModel(state));
}

void ModelLoadAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto document = OpenModel(state);
        state.ResumeTiming();
        for (const auto& sector : document->Sectors)
            document->LoadSectorChildren(sector);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}

frmGalaxyEditor& Editor() {
    static frmGalaxyEditor editor;
    return editor;
}

// The editor is shared, and the benchmark run before this one may have left
// a map with every sector read in it: its teardown, several times an open,
// fell into the first timed open of the repetitions that the shuffle placed
// after such a benchmark. Every timed open replaces the same map as opened.
void OpenIntoEditor(benchmark::State& state) {
    frmGalaxyEditor& editor = Editor();
    QString opened = Data().mapPath;
    editor.OpenFile(opened);
    for (auto _ : state) {
        QString path = Data().mapPath;
        editor.OpenFile(path);
    }
    if (editor.Tree->topLevelItemCount() != benchmap::kSectors)
        state.SkipWithError("the tree does not show every sector");
}

// Opens the map afresh with names only in the labels.
void Reopen(frmGalaxyEditor& editor) {
    for (QCheckBox* box : editor.chkNameFilter)
        box->setChecked(false);
    editor.chkNameFilter[0]->setChecked(true);
    editor.RelabelTree();
    QString path = Data().mapPath;
    editor.OpenFile(path);
}

void ExpandAll(frmGalaxyEditor& editor) {
    for (int i = 0; i < editor.Tree->topLevelItemCount(); ++i)
        editor.Tree->expandItem(editor.Tree->topLevelItem(i));
}

// Type, ID and name in every label.
void RelabelFully(frmGalaxyEditor& editor) {
    for (QCheckBox* box : editor.chkNameFilter)
        box->setChecked(true);
    editor.RelabelTree();
}

void ExpandAllAndRelabel(benchmark::State& state) {
    frmGalaxyEditor& editor = Editor();
    for (auto _ : state) {
        state.PauseTiming();
        Reopen(editor);
        state.ResumeTiming();
        ExpandAll(editor);
        RelabelFully(editor);
    }
    int nodes = 0;
    for (int i = 0; i < editor.Tree->topLevelItemCount(); ++i)
        nodes += editor.Tree->topLevelItem(i)->childCount();
    state.counters["sector_children"] = nodes;
}

// The two halves of the above, apart.
void ExpandOnly(benchmark::State& state) {
    frmGalaxyEditor& editor = Editor();
    for (auto _ : state) {
        state.PauseTiming();
        Reopen(editor);
        state.ResumeTiming();
        ExpandAll(editor);
    }
}

void RelabelOnly(benchmark::State& state) {
    frmGalaxyEditor& editor = Editor();
    for (auto _ : state) {
        state.PauseTiming();
        Reopen(editor);
        ExpandAll(editor);
        state.ResumeTiming();
        RelabelFully(editor);
    }
}

BENCHMARK(ModelOpen)->Name("floor_model_open")->Unit(benchmark::kMillisecond);
BENCHMARK(ModelLoadAll)->Name("floor_model_load_all")->Unit(benchmark::kMillisecond);
BENCHMARK(OpenIntoEditor)->Name("editor_open")->Unit(benchmark::kMillisecond);
BENCHMARK(ExpandAllAndRelabel)->Name("editor_expand_all_relabel")->Unit(benchmark::kMillisecond);
BENCHMARK(ExpandOnly)->Name("editor_expand_all")->Unit(benchmark::kMillisecond);
BENCHMARK(RelabelOnly)->Name("editor_relabel_all")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Data();
    return RunBenchmarks(argc, argv,
                         {TimeOverFloor("editor_open", "floor_model_open", 2),
                          TimeOverFloor("editor_expand_all_relabel", "floor_model_load_all", 2)});
}
