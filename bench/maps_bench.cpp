// One Sector Map frame of a sector of 2,000 objects of mixed types with
// names and IDs shown, at 1280 x 800 while panning, on each drawing surface;
// the floor is QPainter drawing a plain rectangle and the same label texts
// per object onto the same image in the same run.
#include "galaxy/GalaxyDocument.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "maps/MapArea.h"
#include "maps/MapSurface.h"
#include "maps/frmSectorMap.h"
#include "shell/common/mdlCommonGlobals.h"

#include "support/RatioReporter.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

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

// The same number of rectangles and label texts, drawn as plainly as
// QPainter allows: one painter, one pen, the positions worked out before.
void Floor(benchmark::State& state) {
    const auto map = TheScene().MakeMap(false, false);
    struct Item {
        QRect box;
        QPoint at[3];
        const QString* text[3];
        int count = 0;
    };
    std::vector<Item> items;
    items.reserve(map->Records().size());
    const SectorMapTransform& view = map->Transform();
    for (const SectorMapObjectRecord& record : map->Records()) {
        const auto marker = view.MarkerPixel(record.x, record.negZ);
        if (!marker)
            continue;
        Item item;
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
    QImage& target = TheScene().target;
    const QFont font = map->Surface().Font();
    const QPen pen(QColor(28, 181, 16));
    const QBrush brush(QColor(11, 113, 18));
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setFont(font);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(QColor(0, 64, 0));
        painter.fillRect(QRect({}, kFrame), QColor(0, 64, 0));
        painter.setPen(pen);
        painter.setBrush(brush);
        for (const Item& item : items) {
            painter.drawRect(item.box);
            for (int i = 0; i < item.count; ++i)
                painter.drawText(item.at[i], *item.text[i]);
        }
    }
}

BENCHMARK(Floor)->Name("floor_rects_and_texts")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SurfaceFrame, image, true, false)
    ->Name("sector_frame_image")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SurfaceFrame, buffer, false, true)
    ->Name("sector_frame_buffer")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SurfaceFrame, direct, false, false)
    ->Name("sector_frame_direct")
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Large blocks stay on the heap once freed, so neither side pays for
    // fresh pages.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The settings of the bench stay out of the person's registry.
    QTemporaryDir registry;
    setenv("ZORV_REGISTRY_DIR", registry.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    mdlZorvGalaxy::InitGalaxyTables();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double floor = reporter.time("floor_rects_and_texts");
    for (const char* name : {"sector_frame_image", "sector_frame_buffer", "sector_frame_direct"})
        if (floor > 0)
            std::printf("ratio %s %.2f target 1.5\n", name, reporter.time(name) / floor);
    benchmark::Shutdown();
    return 0;
}
