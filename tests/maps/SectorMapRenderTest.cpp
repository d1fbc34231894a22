#include "MapsTestSupport.h"

#include "maps/MapArea.h"
#include "maps/MapSurface.h"

#include <QCheckBox>

#include <functional>
#include <vector>

using namespace mapstest;

namespace {

const QColor kBackground(0, 64, 0);
const QColor kMarker(11, 113, 18);
const QColor kSelected(28, 181, 16);
const QColor kGrid(18, 105, 12);

struct Surface {
    const char* name;
    bool useDirectDraw;
    bool useDoubleBuffer;
    MapDrawMode mode;
};

class SectorMapRender : public SectorMapFixture, public testing::WithParamInterface<Surface> {
protected:
    void SetUp() override {
        SectorMapFixture::SetUp();
        mdlCommon::Settings().SetUseDirectDraw(GetParam().useDirectDraw);
        mdlCommon::Settings().SetUseDoubleBuffer(GetParam().useDoubleBuffer);
        MakeMap();
        ShowFirstSector();
    }
};

TEST_P(SectorMapRender, GridAxesAndMarkersInTheirColours) {
    EXPECT_EQ(map->Surface().Mode(), GetParam().mode);
    const QImage image = Render();
    EXPECT_EQ(Pixel(image, 10, 10), kBackground);
    EXPECT_EQ(Pixel(image, 220, 50), kGrid);
    EXPECT_EQ(Pixel(image, 200, 50), kGrid);
    EXPECT_EQ(Pixel(image, 240, 180), kMarker) << "planet";
    EXPECT_EQ(Pixel(image, 200, 200), QColor(Qt::black)) << "the sun's centre";
    EXPECT_EQ(Pixel(image, 160, 240), kBackground) << "the gate's centre";
    EXPECT_EQ(Pixel(image, 152, 240), kMarker) << "the gate's left lobe";
    EXPECT_EQ(Pixel(image, 168, 240), kMarker) << "the gate's right lobe";
    EXPECT_EQ(Pixel(image, 120, 121), kMarker) << "a ship";
}

// Grid-coloured and text-coloured pixels across an axis, from 10 before
// to 10 after it.
struct AxisCount {
    int axis = 0;
    int text = 0;
};
AxisCount AcrossAxis(const QImage& image, QPoint at, bool vertical) {
    AxisCount count;
    for (int step = -10; step <= 10; ++step) {
        const QPoint pixel = vertical ? at + QPoint(step, 0) : at + QPoint(0, step);
        count.axis += Pixel(image, pixel.x(), pixel.y()) == kGrid ? 1 : 0;
        count.text += Pixel(image, pixel.x(), pixel.y()) == kSelected ? 1 : 0;
    }
    return count;
}

TEST_P(SectorMapRender, BothAxesAreTwoPixelsWideInTheAxisColour) {
    const QImage image = map->Map->grab().toImage();
    // Away from the grid lines (every 20 pixels), the labels and the markers.
    const AxisCount vertical = AcrossAxis(image, {200, 50}, true);
    const AxisCount horizontal = AcrossAxis(image, {370, 200}, false);
    EXPECT_EQ(vertical.axis, 2);
    EXPECT_EQ(vertical.text, 0);
    EXPECT_EQ(horizontal.axis, 2);
    EXPECT_EQ(horizontal.text, 0);
}

TEST_P(SectorMapRender, SelectedMarkerSideViewAndZoom) {
    const Ptr planet = Child(Sector(1), 4);
    map->SelectGalObject(planet);
    EXPECT_EQ(Pixel(Render(), 240, 180), kSelected);

    map->MainToolbar_ButtonClick("side");
    const QImage side = Render();
    EXPECT_EQ(Pixel(side, 240, 180), kSelected) << "y and z are equal";
    EXPECT_EQ(Pixel(side, 160, 200), kBackground) << "the gate's centre on the axis";
    EXPECT_EQ(Pixel(side, 152, 200), kMarker);

    map->MainToolbar_ButtonClick("top");
    map->Map_Wheel(120);
    EXPECT_EQ(map->PanelText(1), "150.0%");
    const QImage zoomed = Render();
    EXPECT_EQ(Pixel(zoomed, 260, 170), kSelected);
    EXPECT_NE(Pixel(zoomed, 240, 180), kSelected);
}

TEST_P(SectorMapRender, ManyObjectsAtOnePointAndHugeCoordinates) {
    const Ptr sector = Sector(1);
    for (int i = 0; i < 2000; ++i) {
        const Ptr object = document.parser()->NewGalObject(sector);
        object->Setotype(17);
        ASSERT_TRUE(document.AddNewObject(object));
        ASSERT_TRUE(document.SetCoordinates(object, i % 2 ? INT32_MAX : 5, INT32_MIN, 5));
    }
    map->SelectGalObject(Child(sector, 1));
    for (int i = 0; i < 21; ++i)
        map->Map_Wheel(120);
    const QImage image = Render();
    EXPECT_EQ(Pixel(image, 5, 5), kBackground);
}

INSTANTIATE_TEST_SUITE_P(
    Surfaces, SectorMapRender,
    testing::Values(Surface{"image", true, false, MapDrawMode::DrawDirectDraw},
                    Surface{"buffer", false, true, MapDrawMode::DrawDoubleBuffer},
                    Surface{"direct", false, false, MapDrawMode::DrawDirect}),
    [](const testing::TestParamInfo<Surface>& info) { return std::string(info.param.name); });

TEST_F(SectorMapFixture, EveryMarkerShape) {
    Open(R"(<universe><o t="1" x="0" y="0">
      <o t="5" x="-4440000" z="4440000"/>
      <o t="6" x="-2220000" z="4440000"/>
      <o t="20" x="0" z="4440000"/>
      <o t="17" x="2220000" z="4440000"/>
      <o t="7" x="4440000" z="4440000"/>
    </o></universe>)");
    ASSERT_TRUE(document.LoadSector(Sector(1)));
    mdlCommon::Settings().OpenRootHandleUserGE().createKey("SectorMap").setNumber("labels", 0);
    MakeMap();
    map->SelectGalObject(Sector(1));
    const QImage image = Render();
    struct Spot {
        const char* what;
        int x, y;
        QColor color;
    };
    const Spot spots[] = {
        {"dock dot", 120, 120, kMarker},
        {"dock ring inside", 115, 120, kBackground},
        {"dock ring", 120, 113, kMarker},
        {"factory", 160, 120, kMarker},
        {"beside the factory", 164, 122, kBackground},
        {"plain inside", 200, 120, kBackground},
        {"plain ring", 200, 117, kMarker},
        {"asteroid", 240, 120, kMarker},
        {"ship", 280, 121, kMarker},
        {"beside the ship's apex", 283, 117, kBackground},
    };
    for (const Spot& spot : spots)
        EXPECT_EQ(Pixel(image, spot.x, spot.y), spot.color) << spot.what;
}

TEST_F(SectorMapFixture, TheMapAreaShowsTheSamePictureOnScreen) {
    MakeMap();
    ShowFirstSector();
    map->resize(600, 600);
    const QImage grabbed = map->Map->grab().toImage();
    const QPoint center(grabbed.width() / 2, grabbed.height() / 2);
    EXPECT_EQ(Pixel(grabbed, center.x() + 40, center.y() - 20), kMarker);
}

TEST_F(SectorMapFixture, AFailedImageSurfaceSaysSoAndPaintsNothing) {
    mdlCommon::Settings().SetUseDirectDraw(true);
    MakeMap(QSize(0, 0));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.startsWith("Failed to initialize DirectDraw:\n"));
    EXPECT_EQ(prompts.messages()[0].icon, platform::PromptIcon::Critical);
    ShowFirstSector();
    const QImage image = Render();
    EXPECT_EQ(Pixel(image, 240, 180), QColor(255, 0, 255));
    EXPECT_EQ(Pixel(image, 10, 10), QColor(255, 0, 255));
    // The window still works: without text sizes the boxes are bare markers.
    EXPECT_EQ(map->Records()[0].bottom, 5);
    map->SelectGalObject(Child(Sector(1), 4));
    EXPECT_EQ(map->SelectedIndex(), 4);
}

TEST_F(SectorMapFixture, AnUnreadSectorSaysSoAndOffersNoNewObjects) {
    MakeMap();
    map->SelectGalObject(Sector(2));
    ASSERT_EQ(map->ShownSector(), Sector(2));
    const QImage image = Render();
    int textPixels = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 120; ++x)
            textPixels += Pixel(image, x, y) == kSelected ? 1 : 0;
    EXPECT_GT(textPixels, 20) << "Sector is not loaded";
    EXPECT_NE(Pixel(image, 200, 200), QColor(Qt::black));
    map->Map_MouseUp(Qt::RightButton, 100, 100);
    EXPECT_FALSE(map->mnuPopAddObj->isEnabled());
    EXPECT_FALSE(map->mnuPopPaste->isEnabled());

    // Read in the editor, the sector shows its objects at once.
    ASSERT_TRUE(document.LoadSector(Sector(2)));
    EXPECT_EQ(map->Records().size(), 1u);
    EXPECT_EQ(Pixel(Render(), 192, 200), kMarker) << "the gate's lobe";
}

TEST_F(SectorMapFixture, LabelsAreWrittenUnderTheMarkerInTheTextColours) {
    MakeMap();
    ShowFirstSector();
    const SectorMapObjectRecord& planet = map->Records()[4];
    ASSERT_GT(planet.bottom, 5) << "names are shown by default";
    const QImage image = Render();
    int text = 0;
    for (int y = 186; y <= 180 + planet.bottom; ++y)
        for (int x = 240 + planet.left; x <= 240 + planet.right; ++x)
            text += Pixel(image, x, y) == kSelected ? 1 : 0;
    EXPECT_GT(text, 5);
    map->chkLabel[1]->click();
    EXPECT_EQ(map->Records()[4].bottom, 5);
}

// Labels and markers are drawn once and copied by later frames: after each
// change the map shows what a map that never drew the old picture shows.
TEST_F(SectorMapFixture, AFrameAfterAChangeShowsWhatAFreshMapShows) {
    MakeMap();
    ShowFirstSector();
    const Ptr planet = Child(Sector(1), 4);
    const Ptr gate = Child(Sector(1), 3);
    struct Step {
        const char* what;
        // A change of the document, seen by every map; else of the window.
        bool ofTheDocument;
        std::function<void(frmSectorMap&)> change;
    };
    const std::vector<Step> steps = {
        {"the planet renamed", true,
         [&](frmSectorMap&) { ASSERT_TRUE(document.SetProperty(planet, "s", 3)); }},
        {"the gate selected", false, [&](frmSectorMap& shown) { shown.SelectGalObject(gate); }},
        {"IDs instead of names", false,
         [](frmSectorMap& shown) {
             shown.chkLabel[0]->click();
             shown.chkLabel[1]->click();
         }},
        {"the gate renamed", true,
         [&](frmSectorMap&) { ASSERT_TRUE(document.SetProperty(gate, "s", 2)); }},
        {"zoomed in", false, [](frmSectorMap& shown) { shown.Map_Wheel(120); }},
        {"side view", false, [](frmSectorMap& shown) { shown.MainToolbar_ButtonClick("side"); }},
    };
    for (size_t done = 0; done < steps.size(); ++done) {
        const Step& step = steps[done];
        const QImage before = Render();
        step.change(*map);
        const QImage after = Render();
        EXPECT_NE(after, before) << step.what;

        frmSectorMap fresh(spy, nullptr, QSize());
        fresh.Map->setFixedSize(400, 400);
        fresh.ShowMap(document, nullptr);
        fresh.SelectGalObject(Sector(1));
        for (size_t i = 0; i <= done; ++i)
            if (!steps[i].ofTheDocument)
                steps[i].change(fresh);
        QImage picture(400, 400, QImage::Format_RGB32);
        fresh.PaintMap(picture, picture.size());
        EXPECT_EQ(after, picture) << step.what;
    }
}

} // namespace
