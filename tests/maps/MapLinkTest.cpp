#include "MapsTestSupport.h"

#include "galaxy/widgets/GalaxyEditorRoles.h"
#include "galaxy/widgets/frmGalaxyEditor.h"
#include "maps/MapViewFactory.h"
#include "maps/frmUniverseMap.h"
#include "shell/mdlZorvConst.h"

#include <QAction>
#include <QTreeWidget>

using namespace mapstest;
using platform::PromptAnswer;

namespace {

// The editor with both map windows open on the map, sector A read.
class MapLink : public testing::Test {
protected:
    void SetUp() override {
        mdlZorvGalaxy::InitGalaxyTables();
        mdlZorvConst::InitArrays();
        GalaxyMapViews::SetFactory(&factory);
        testsupport::writeFile(testsupport::dataDir() / "map.xml", kMap);
        QString path = QString::fromStdString((testsupport::dataDir() / "map.xml").string());
        editor.OpenFile(path);
        editor.Tree->expandItem(editor.Tree->topLevelItem(0));
        editor.ShowSectorMap();
        editor.ShowUniverseMap();
        map = editor.findChild<frmSectorMap*>();
        universe = editor.findChild<frmUniverseMap*>();
        ASSERT_TRUE(map && universe);
        QImage image(400, 400, QImage::Format_RGB32);
        map->PaintMap(image, image.size());
    }
    void TearDown() override { GalaxyMapViews::SetFactory(nullptr); }

    Ptr SectorA() { return editor.Document().parser()->Sectors.at(1); }
    Ptr Planet() { return SectorA()->Childs.at(4); }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts scoped{prompts};
    MapViewFactory factory;
    frmGalaxyEditor editor;
    QPointer<frmSectorMap> map;
    QPointer<frmUniverseMap> universe;
};

TEST_F(MapLink, AClickOnTheSectorMapSelectsInTheTreeAndTheUniverseMap) {
    ASSERT_EQ(map->ShownSector(), SectorA());
    map->Map_MouseDown(Qt::LeftButton, Qt::NoModifier, 240, 180);
    EXPECT_EQ(editor.SelectedObject(), Planet());
    ASSERT_TRUE(editor.Tree->currentItem());
    EXPECT_EQ(editor.Tree->currentItem()->data(0, GalaxyEditorRoles::kKeyRole).toString(),
              Planet()->Key());
    ASSERT_GE(map->SelectedIndex(), 0);
    EXPECT_EQ(map->Records()[map->SelectedIndex()].key, Planet()->Key());
    ASSERT_GE(universe->SelectedIndex(), 0);
    EXPECT_EQ(universe->Records()[universe->SelectedIndex()].Key, SectorA()->Key());
}

TEST_F(MapLink, AnAttributeEditMovesTheMarker) {
    editor.SetSelectedObject(Planet());
    ASSERT_TRUE(editor.Document().SetProperty(Planet(), "x", -2'220'000));
    EXPECT_EQ(map->Records()[map->SelectedIndex()].x, -2'220'000);
    QImage image(400, 400, QImage::Format_RGB32);
    map->PaintMap(image, image.size());
    EXPECT_EQ(Pixel(image, 160, 180), QColor(28, 181, 16));
}

TEST_F(MapLink, ClosingTheEditorWithMovesAsksAndCancelKeepsEverythingOpen) {
    editor.show();
    map->Map_MouseDown(Qt::LeftButton, Qt::AltModifier, 240, 180);
    map->Map_MouseMove(Qt::LeftButton, Qt::AltModifier, 300, 100);
    ASSERT_TRUE(map->IsModified());
    prompts.answer(PromptAnswer::Cancel);
    EXPECT_FALSE(editor.close());
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_EQ(prompts.messages()[0].title, "Ruvaze Rezivo - Sector Map");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(map && map->isVisible());
    EXPECT_TRUE(universe && universe->isVisible());
    EXPECT_TRUE(map->IsModified());

    // Yes writes the moves; the editor then asks about its own changes.
    prompts.answer(PromptAnswer::Yes);
    prompts.answer(PromptAnswer::No);
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(Planet()->x(), 5'550'000);
}

} // namespace
