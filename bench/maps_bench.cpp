// The map views' costs, each against the simplest QPainter or font-metrics
// work that draws or measures the same in the same run:
// - one Sector Map frame of a sector of 2,000 objects of mixed types with
//   names and IDs shown, at 1280 x 800 while panning, on each drawing
//   surface, against a plain rectangle and the same label texts per object,
//   and against the same rectangles with each text copied from an image
//   made before (a frame copies labels it drew once);
// - the Universe Map of 300 sectors and 1,200 gates rebuilt (links, words,
//   wrapping, cells), against measuring every name once, and drawn, against
//   the same circles, lines and texts;
// - a click on the Sector Map travelling through the editor to the Universe
//   Map and back, against one Sector Map frame.
#include "common/mdlCommonGlobals.h"
#include "galaxy/GalaxyDocument.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "galaxy/widgets/frmGalaxyEditor.h"
#include "maps/MapArea.h"
#include "maps/MapSurface.h"
#include "maps/MapViewFactory.h"
#include "maps/UniverseMapLayout.h"
#include "maps/frmSectorMap.h"
#include "maps/frmUniverseMap.h"
#include "shell/mdlZorvConst.h"

#include "support/BenchMain.h"
#include "support/UniverseMapText.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kObjects = 2000;
constexpr QSize kFrame{1280, 800};
constexpr std::array<int, 8> kTypes = {3, 4, 5, 6, 7, 17, 18, 20};

class NoEvents : public SectorMapEvents {
public:
    void OnClose() override {}
    void OnObjectClick(const GalaxyObjectPtr&) override {}
    GalaxyObjectPtr OnNeedSync() override { return nullptr; }
    void OnCoordsUpdated() override {}
    void OnObjectCreated(const GalaxyObjectPtr&) override {}
    void OnObjectDeleted(const GalaxyObjectPtr&) override {}
    void OnObjectModified(const GalaxyObjectPtr&) override {}
    void OnShowObject(const GalaxyObjectPtr&) override {}
};

std::string GenerateSector() {
    std::string text = "<universe>\n  <o t=\"1\" x=\"0\" y=\"0\">\n";
    for (int64_t i = 0; i < kObjects; ++i) {
        const int type = kTypes[static_cast<size_t>(i) % kTypes.size()];
        text += "    <o t=\"" + std::to_string(type) + "\" s=\"" + std::to_string(i % 7) +
                "\" gx=\"0\" gy=\"0\" x=\"" + std::to_string(i * 7919 % 20'000'000 - 10'000'000) +
                "\" y=\"0\" z=\"" + std::to_string(i * 1'299'709 % 20'000'000 - 10'000'000) +
                "\"/>\n";
    }
    return text + "  </o>\n</universe>\n";
}

struct Scene {
    QTemporaryDir folder;
    GalaxyDocument document;
    NoEvents events;
    QImage target{kFrame, QImage::Format_RGB32};

    Scene() {
        const QString path = folder.filePath("sector.xml");
        std::ofstream(path.toStdString(), std::ios::binary) << GenerateSector();
        if (!document.Open(path) || !document.LoadSector(document.parser()->Sectors.at(1)))
            std::fprintf(stderr, "%s\n", document.LastError().toStdString().c_str());
    }

    // A Sector Map on the surface the settings choose, showing the sector
    // zoomed so it fills the frame, names and IDs on.
    std::unique_ptr<frmSectorMap> MakeMap(bool useDirectDraw, bool useDoubleBuffer) {
        mdlCommon::Settings().SetUseDirectDraw(useDirectDraw);
        mdlCommon::Settings().SetUseDoubleBuffer(useDoubleBuffer);
        auto map = std::make_unique<frmSectorMap>(events, nullptr, kFrame);
        map->ShowMap(document, nullptr);
        map->hide();
        map->Map->setFixedSize(kFrame);
        map->SelectGalObject(document.parser()->Sectors.at(1));
        for (QCheckBox* label : map->chkLabel)
            if (!label->isChecked())
                label->click();
        map->Map_Wheel(240);
        return map;
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void Frames(benchmark::State& state, frmSectorMap& map) {
    int step = 0;
    for (auto _ : state) {
        // Pan a pixel to and fro, as a drag does.
        map.Form_KeyDown(++step % 2 ? 37 : 39);
        map.PaintMap(TheScene().target, kFrame);
    }
    state.counters["records"] = static_cast<double>(map.Records().size());
}

void SurfaceFrame(benchmark::State& state, bool useDirectDraw, bool useDoubleBuffer) {
    const auto map = TheScene().MakeMap(useDirectDraw, useDoubleBuffer);
    Frames(state, *map);
}

// One object of a floor: a rectangle for its marker and its label texts
// beneath it, placed before the measurement.
struct FloorItem {
    QRect box;
    QPoint at[3];
    const QString* text[3];
    int count = 0;
};

std::vector<FloorItem> FloorItems(const frmSectorMap& map) {
    std::vector<FloorItem> items;
    items.reserve(map.Records().size());
    const SectorMapTransform& view = map.Transform();
    for (const SectorMapObjectRecord& record : map.Records()) {
        const auto marker = view.MarkerPixel(record.x, record.negZ);
        if (!marker)
            continue;
        FloorItem item;
        item.box = QRect(marker->x() - 4, marker->y() - 4, 8, 8);
        int y = marker->y() + 8;
        for (const QString* text : {&record.nameText, &record.idText, &record.gateLabel}) {
            if (text->isEmpty())
                continue;
            item.text[item.count] = text;
            item.at[item.count++] = QPoint(marker->x() - 20, y);
            y += 13;
        }
        items.push_back(item);
    }
    return items;
}

// One painter as a frame gets it, the background filled; draw(painter)
// draws the rest.
template <class Draw> void FloorFrames(benchmark::State& state, const QFont& font, Draw draw) {
    QImage& target = TheScene().target;
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setFont(font);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(QColor(0, 64, 0));
        painter.fillRect(QRect({}, kFrame), QColor(0, 64, 0));
        painter.setPen(QColor(28, 181, 16));
        painter.setBrush(QColor(11, 113, 18));
        draw(painter);
    }
}

// The same number of rectangles and label texts, drawn as plainly as
// QPainter allows: one painter, one pen, the positions worked out before.
void Floor(benchmark::State& state) {
    const auto map = TheScene().MakeMap(false, false);
    const std::vector<FloorItem> items = FloorItems(*map);
    FloorFrames(state, map->Surface().Font(), [&](QPainter& painter) {
        for (const FloorItem& item : items) {
            painter.drawRect(item.box);
            for (int i = 0; i < item.count; ++i)
                painter.drawText(item.at[i], *item.text[i]);
        }
    });
}

// The same rectangles, and each label text as an image made before.
void FloorImages(benchmark::State& state) {
    const auto map = TheScene().MakeMap(false, false);
    const std::vector<FloorItem> items = FloorItems(*map);
    const MapSurface& surface = map->Surface();
    std::vector<std::array<QImage, 3>> images(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        for (int line = 0; line < items[i].count; ++line) {
            QImage& image = images[i][static_cast<size_t>(line)];
            image = QImage(surface.TextSize(*items[i].text[line]), QImage::Format_RGB32);
            image.fill(surface.TextBackground());
            QPainter painter(&image);
            painter.setFont(surface.Font());
            painter.setPen(surface.TextColor());
            painter.drawText(QPoint(0, surface.Ascent()), *items[i].text[line]);
        }
    FloorFrames(state, surface.Font(), [&](QPainter& painter) {
        for (size_t i = 0; i < items.size(); ++i) {
            painter.drawRect(items[i].box);
            for (int line = 0; line < items[i].count; ++line)
                painter.drawImage(items[i].at[line], images[i][static_cast<size_t>(line)]);
        }
    });
}

class NoUniverseEvents : public UniverseMapEvents {
public:
    void OnClose() override {}
    void OnSectorClick(const GalaxyObjectPtr&) override {}
    void OnSectorCreated(const GalaxyObjectPtr&) override {}
    void OnSectorDeleted(const GalaxyObjectPtr&) override {}
    void OnSectorModified(const GalaxyObjectPtr&) override {}
    void OnDisplaySector(const GalaxyObjectPtr&) override {}
};

struct Universe {
    QTemporaryDir folder;
    GalaxyDocument document;
    NoUniverseEvents events;
    std::unique_ptr<frmUniverseMap> map;

    Universe() {
        const QString path = folder.filePath("universe.xml");
        std::ofstream(path.toStdString(), std::ios::binary) << benchmap::GenerateMap();
        if (!document.Open(path))
            std::fprintf(stderr, "%s\n", document.LastError().toStdString().c_str());
        map = std::make_unique<frmUniverseMap>(events, nullptr, kFrame);
        map->ShowUniverse(document, nullptr);
        map->hide();
    }
};

Universe& TheUniverse() {
    static Universe universe;
    return universe;
}

void UniverseRebuild(benchmark::State& state) {
    Universe& universe = TheUniverse();
    for (auto _ : state)
        universe.map->RefreshUniverse(universe.document);
    size_t links = 0;
    for (const UniverseSectorRecord& record : universe.map->Records())
        links += record.links.size();
    state.counters["sectors"] = static_cast<double>(universe.map->Records().size());
    state.counters["links"] = static_cast<double>(links);
}

void FloorMeasureNames(benchmark::State& state) {
    Universe& universe = TheUniverse();
    QStringList names;
    for (const UniverseSectorRecord& record : universe.map->Records())
        names << record.name;
    const QFontMetrics metrics(universe.map->Surface().Font());
    for (auto _ : state) {
        int widest = 0;
        for (const QString& name : names)
            widest = std::max(widest, metrics.horizontalAdvance(name));
        benchmark::DoNotOptimize(widest);
    }
}

void UniverseFrame(benchmark::State& state) {
    Universe& universe = TheUniverse();
    for (auto _ : state)
        universe.map->PaintMap(TheScene().target, kFrame);
}

// The same circles, link lines and name lines at the same places.
void FloorUniverse(benchmark::State& state) {
    Universe& universe = TheUniverse();
    const auto& records = universe.map->Records();
    const UniverseMapLayout& layout = universe.map->Layout();
    struct Text {
        QPoint at;
        const QString* line;
    };
    std::vector<QRect> circles;
    std::vector<QLine> lines;
    std::vector<Text> texts;
    for (const UniverseSectorRecord& record : records) {
        const QPoint cell = layout.CellToScreen(record.x, record.y);
        circles.emplace_back(cell.x() + 2, cell.y() + 2, 19, 19);
        for (const int32_t link : record.links)
            if (link >= 0)
                lines.emplace_back(cell + QPoint(12, 12),
                                   layout.CellToScreen(records[link].x, records[link].y) +
                                       QPoint(12, 12));
        for (int i = 0; i < record.lineCount; ++i)
            texts.push_back({cell + QPoint(0, 24 + 13 * i), &record.nameLines[i]});
    }
    QImage& target = TheScene().target;
    const QFont font = universe.map->Surface().Font();
    const QPen white(Qt::white);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setFont(font);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::black);
        painter.fillRect(QRect({}, kFrame), Qt::black);
        painter.setPen(white);
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        painter.setBrush(Qt::black);
        for (const QRect& circle : circles)
            painter.drawEllipse(circle);
        for (const Text& text : texts)
            painter.drawText(text.at, *text.line);
    }
}

// A click on an object of the Sector Map: the editor selects it in its tree
// and panel, selects its sector on the Universe Map and offers it back to
// the Sector Map, which already shows it.
void EchoClick(benchmark::State& state) {
    Scene& scene = TheScene();
    static MapViewFactory factory;
    GalaxyMapViews::SetFactory(&factory);
    frmGalaxyEditor editor;
    QString path = scene.folder.filePath("sector.xml");
    editor.OpenFile(path);
    editor.Tree->expandItem(editor.Tree->topLevelItem(0));
    editor.ShowSectorMap();
    editor.ShowUniverseMap();
    auto* map = editor.findChild<frmSectorMap*>();
    map->Map->setFixedSize(kFrame);
    map->PaintMap(scene.target, kFrame);
    std::array<QPoint, 2> points;
    for (size_t i = 0; i < points.size(); ++i) {
        const SectorMapObjectRecord& record = map->Records()[i];
        points[i] = *map->Transform().MarkerPixel(record.x, record.V(true));
    }
    int step = 0;
    for (auto _ : state) {
        const QPoint at = points[static_cast<size_t>(++step % 2)];
        map->Map_MouseDown(Qt::LeftButton, Qt::NoModifier, static_cast<float>(at.x()),
                           static_cast<float>(at.y()));
    }
    if (map->SelectedIndex() != step % 2)
        state.SkipWithError("the clicks did not select the objects");
    GalaxyMapViews::SetFactory(nullptr);
}

BENCHMARK(Floor)->Name("floor_rects_and_texts")->Unit(benchmark::kMillisecond);
BENCHMARK(FloorImages)->Name("floor_rects_and_images")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SurfaceFrame, image, true, false)
    ->Name("sector_frame_image")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SurfaceFrame, buffer, false, true)
    ->Name("sector_frame_buffer")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SurfaceFrame, direct, false, false)
    ->Name("sector_frame_direct")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FloorMeasureNames)->Name("floor_measure_names")->Unit(benchmark::kMillisecond);
BENCHMARK(UniverseRebuild)->Name("universe_rebuild")->Unit(benchmark::kMillisecond);
BENCHMARK(FloorUniverse)->Name("floor_circles_lines_texts")->Unit(benchmark::kMillisecond);
BENCHMARK(UniverseFrame)->Name("universe_frame")->Unit(benchmark::kMillisecond);
BENCHMARK(EchoClick)->Name("sector_click_echo")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The settings of the bench stay out of the person's registry.
    QTemporaryDir registry;
    setenv("ZORV_REGISTRY_DIR", registry.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    mdlZorvGalaxy::InitGalaxyTables();
    mdlZorvConst::InitArrays();
    return RunBenchmarks(argc, argv,
                         {TimeOverFloor("sector_frame_image", "floor_rects_and_texts", 1.5),
                          TimeOverFloor("sector_frame_buffer", "floor_rects_and_texts", 1.5),
                          TimeOverFloor("sector_frame_direct", "floor_rects_and_texts", 1.5),
                          TimeOverFloor("sector_frame_image_over_images", "sector_frame_image",
                                        "floor_rects_and_images", 1.5),
                          TimeOverFloor("sector_frame_buffer_over_images", "sector_frame_buffer",
                                        "floor_rects_and_images", 1.5),
                          TimeOverFloor("sector_frame_direct_over_images", "sector_frame_direct",
                                        "floor_rects_and_images", 1.5),
                          TimeOverFloor("universe_rebuild", "floor_measure_names", 2),
                          TimeOverFloor("universe_frame", "floor_circles_lines_texts", 1.5),
                          TimeOverFloor("sector_click_echo", "sector_frame_image", 1)});
}
