#include "MapsTestSupport.h"

#include "maps/MapArea.h"
#include "maps/MapKeys.h"
#include "maps/UniverseMapLayout.h"
#include "maps/frmUniverseMap.h"
#include "shell/mdlZorvConst.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

using namespace mapstest;
using platform::PromptAnswer;

namespace {

// Sector (1,1) of race 6 and sector (2,2) lead to each other; (5,5) of an
// unknown race has a gate to (2,2) and one without a target cell; four
// sectors stand alone, two of them in one cell.
const std::string kUniverse = R"(<universe>
  <o t="1" x="1" y="1" r="6">
    <o t="18" s="0" gid="0" gx="2" gy="2"/>
  </o>
  <o t="1" x="2" y="2" r="1">
    <o t="18" s="0" gid="1" gx="1" gy="1"/>
  </o>
  <o t="1" x="5" y="5" r="11">
    <o t="18" s="0" gid="0" gx="2" gy="2"/>
    <o t="18" s="0" gid="2"/>
  </o>
  <o t="1" x="2" y="4"/>
  <o t="1" x="3" y="7"/>
  <o t="1" x="6" y="4"/>
  <o t="1" x="8" y="8"/>
  <o t="1" x="8" y="8"/>
</universe>)";

class UniverseSpy : public UniverseMapEvents {
public:
    QStringList events;
    void OnClose() override { events << "OnClose"; }
    void OnSectorClick(const GalaxyObjectPtr& sector) override { Add("OnSectorClick", sector); }
    void OnSectorCreated(const GalaxyObjectPtr& sector) override { Add("OnSectorCreated", sector); }
    void OnSectorDeleted(const GalaxyObjectPtr& sector) override { Add("OnSectorDeleted", sector); }
    void OnSectorModified(const GalaxyObjectPtr& object) override {
        Add("OnSectorModified", object);
    }
    void OnDisplaySector(const GalaxyObjectPtr& sector) override { Add("OnDisplaySector", sector); }

private:
    void Add(const char* name, const GalaxyObjectPtr& object) {
        events << QString::fromLatin1(name) + QLatin1Char(' ') +
                      (object ? QString("%1,%2").arg(object->x()).arg(object->y())
                              : QStringLiteral("nothing"));
    }
};

class UniverseMapWindow : public SectorMapFixture {
protected:
    void SetUp() override {
        mdlZorvGalaxy::InitGalaxyTables();
        mdlZorvConst::InitArrays();
        Open(kUniverse);
    }
    void TearDown() override {
        delete universe.data();
        SectorMapFixture::TearDown();
    }

    void MakeUniverse(bool showNames = true) {
        if (!showNames)
            mdlCommon::Settings()
                .OpenRootHandleUserGE()
                .createKey("UniverseMap")
                .setNumber("ShowNames", 0);
        universe = new frmUniverseMap(events, nullptr);
        universe->Map->setFixedSize(480, 390);
        universe->PopupRunner = [](QMenu&, const QPoint&) {};
        universe->ShowUniverse(document, nullptr);
        events.events.clear();
    }

    // The middle of a cell at the current cell size and no pan.
    QPointF CellMiddle(int x, int y) {
        const UniverseMapLayout& layout = universe->Layout();
        return QPointF(x * layout.CellWidth() + layout.CellWidth() / 2.0,
                       y * layout.CellHeight() + layout.CellHeight() / 2.0);
    }
    void RightClickCell(int x, int y) {
        const QPointF at = CellMiddle(x, y);
        universe->Map_MouseDown(Qt::RightButton, at.x(), at.y());
        universe->Map_MouseMove(Qt::NoButton, Qt::NoModifier, at.x(), at.y());
        universe->Map_MouseUp(Qt::RightButton, Qt::NoModifier, at.x(), at.y());
    }
    Ptr SectorAt(int x, int y) { return document.parser()->FindSector(x, y); }
    QImage RenderUniverse() {
        QImage image(480, 390, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 255));
        universe->PaintMap(image, image.size());
        return image;
    }

    UniverseSpy events;
    QPointer<frmUniverseMap> universe;
};

TEST_F(UniverseMapWindow, CellsCirclesLinksAndGridWithoutNames) {
    MakeUniverse(false);
    EXPECT_EQ(universe->Layout().CellWidth(), 24);
    EXPECT_EQ(universe->Layout().CellHeight(), 26);
    const QImage image = RenderUniverse();
    EXPECT_EQ(Pixel(image, 36, 28), QColor(255, 0, 0)) << "race 6 outline";
    EXPECT_EQ(Pixel(image, 36, 38), QColor(0, 0, 0)) << "the circle's black centre";
    EXPECT_EQ(Pixel(image, 5 * 24 + 12, 5 * 26 + 2), QColor(255, 255, 255)) << "race 11 is white";
    int white = 0;
    for (int y = 49; y <= 53; ++y)
        for (int x = 46; x <= 50; ++x)
            white += Pixel(image, x, y) == QColor(255, 255, 255) ? 1 : 0;
    EXPECT_GT(white, 0) << "the link between (1,1) and (2,2)";
    const QColor grid(61, 59, 59);
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(Pixel(image, k * 24, 300), grid) << k;
    EXPECT_EQ(Pixel(image, 300, 10 * 26), grid);
    EXPECT_EQ(Pixel(image, 300, 250), QColor(0, 0, 0));
}

TEST_F(UniverseMapWindow, DefaultsShowGridAndNamesAndAreSavedAtClose) {
    MakeUniverse();
    EXPECT_TRUE(universe->ShowGrid());
    EXPECT_TRUE(universe->ShowNames());
    EXPECT_GT(universe->Layout().CellHeight(), 26);
    universe->mnuPopupGrid->trigger();
    EXPECT_EQ(Pixel(RenderUniverse(), 120, 300), QColor(0, 0, 0)) << "no grid line";
    universe->Unload();
    EXPECT_EQ(events.events, QStringList{"OnClose"});
    const platform::RegKey key =
        mdlCommon::Settings().OpenRootHandleUserGE().openKey("UniverseMap");
    EXPECT_EQ(key.number("ShowGrid"), 0);
    EXPECT_EQ(key.number("ShowNames"), 1);
}

TEST_F(UniverseMapWindow, ControlsAreFoundByTheirMemberNames) {
    MakeUniverse();
    ExpectNamed(*universe, {{"Map", universe->Map},
                            {"Bar", universe->Bar},
                            {"mnuPopup", universe->mnuPopup},
                            {"mnuPopupAddSec", universe->mnuPopupAddSec},
                            {"mnuPopupRemoveSec", universe->mnuPopupRemoveSec},
                            {"mnuPopCopy", universe->mnuPopCopy},
                            {"mnuPopPaste", universe->mnuPopPaste},
                            {"mnuPopNames", universe->mnuPopNames},
                            {"mnuPopupGrid", universe->mnuPopupGrid}});
    EXPECT_EQ(universe->objectName(), "frmUniverseMap");
}

TEST_F(UniverseMapWindow, GateLinksSkipGatesWithoutATargetCell) {
    MakeUniverse();
    const auto& records = universe->Records();
    ASSERT_EQ(records.size(), 8u);
    EXPECT_EQ(records[0].links, std::vector<int32_t>{1});
    EXPECT_EQ(records[2].links, (std::vector<int32_t>{1, -1}));
}

TEST_F(UniverseMapWindow, MovingASectorRetargetsEveryGateThatLedThere) {
    MakeUniverse(false);
    const Ptr moved = SectorAt(2, 2);
    const QPointF from = CellMiddle(2, 2);
    const QPointF to = CellMiddle(5, 2);
    universe->Map_MouseDown(Qt::LeftButton, from.x(), from.y());
    universe->Map_MouseMove(Qt::LeftButton, Qt::AltModifier, from.x(), from.y());
    universe->Map_MouseMove(Qt::LeftButton, Qt::AltModifier, to.x(), to.y());
    universe->Map_MouseUp(Qt::LeftButton, Qt::AltModifier, to.x(), to.y());
    EXPECT_EQ(moved->x(), 5);
    EXPECT_EQ(moved->y(), 2);
    // Gates carry no cell of their own: they show as 0,0. The rebuild
    // reports the selection again.
    EXPECT_EQ(events.events.join(", "), "OnSectorClick 2,2, OnSectorModified 5,2, "
                                        "OnSectorModified 0,0, OnSectorModified 0,0, "
                                        "OnSectorClick 5,2");
    for (const Ptr& sector : {SectorAt(1, 1), SectorAt(5, 5)}) {
        const Ptr gate = Child(sector, 1);
        EXPECT_EQ(gate->NamedProperty("gx"), 5);
        EXPECT_EQ(gate->NamedProperty("gy"), 2);
    }
    // The rewritten gates are in the file, so reading the sector keeps them.
    ASSERT_TRUE(document.LoadSector(SectorAt(1, 1)));
    EXPECT_EQ(Child(SectorAt(1, 1), 1)->NamedProperty("gx"), 5);
    EXPECT_EQ(universe->Records()[0].links, std::vector<int32_t>{1});

    // Onto an occupied cell nothing changes.
    events.events.clear();
    const QPointF occupied = CellMiddle(1, 1);
    universe->Map_MouseMove(Qt::LeftButton, Qt::AltModifier, to.x(), to.y());
    universe->Map_MouseMove(Qt::LeftButton, Qt::AltModifier, occupied.x(), occupied.y());
    universe->Map_MouseUp(Qt::LeftButton, Qt::AltModifier, occupied.x(), occupied.y());
    EXPECT_EQ(moved->x(), 5);
    EXPECT_TRUE(events.events.isEmpty());
}

TEST_F(UniverseMapWindow, AddingOutsideTheGridSaysSoAndChangesNothing) {
    MakeUniverse(false);
    const int sectors = document.parser()->Sectors.count();
    const int objects = document.parser()->objects.count();
    RightClickCell(20, 3);
    ASSERT_TRUE(universe->mnuPopupAddSec->isEnabled());
    universe->mnuPopupAddSec->trigger();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, "Allowed coordinates values are X<0; 19>, Y<0; 14>");
    EXPECT_EQ(prompts.messages()[0].title, "Ruvaze Rezivo - Universe Map");
    EXPECT_EQ(document.parser()->Sectors.count(), sectors);
    EXPECT_EQ(document.parser()->objects.count(), objects);
}

TEST_F(UniverseMapWindow, AddingPastingAndRemovingSectors) {
    MakeUniverse(false);
    RightClickCell(10, 3);
    universe->mnuPopupAddSec->trigger();
    const Ptr added = SectorAt(10, 3);
    ASSERT_TRUE(added);
    EXPECT_TRUE(events.events.contains("OnSectorCreated 10,3"));
    EXPECT_EQ(universe->Records()[universe->SelectedIndex()].Key, added->Key());

    RightClickCell(1, 1);
    universe->mnuPopCopy->trigger();
    RightClickCell(12, 3);
    ASSERT_TRUE(universe->mnuPopPaste->isEnabled());
    universe->mnuPopPaste->trigger();
    const Ptr pasted = SectorAt(12, 3);
    ASSERT_TRUE(pasted);
    EXPECT_NE(pasted, SectorAt(1, 1));
    EXPECT_EQ(pasted->NamedProperty("r"), 6);

    RightClickCell(12, 3);
    EXPECT_TRUE(universe->mnuPopupRemoveSec->isEnabled());
    events.events.clear();
    prompts.answer(PromptAnswer::Yes);
    universe->mnuPopupRemoveSec->trigger();
    EXPECT_TRUE(prompts.messages().back().text.startsWith("Do you really want to remove sector "));
    EXPECT_FALSE(document.Contains(pasted));
    EXPECT_EQ(events.events.last(), "OnSectorDeleted 12,3");
}

TEST_F(UniverseMapWindow, ASectorThatCannotBeWrittenLeavesNothingBehind) {
    MakeUniverse(false);
    const int sectors = document.parser()->Sectors.count();
    const int objects = document.parser()->objects.count();
    document.parser()->UniverseBookmark = 987654; // no such element
    RightClickCell(10, 3);
    universe->mnuPopupAddSec->trigger();
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_EQ(prompts.messages().back().icon, platform::PromptIcon::Critical);
    EXPECT_EQ(document.parser()->Sectors.count(), sectors);
    EXPECT_EQ(document.parser()->objects.count(), objects);
    EXPECT_EQ(universe->Records().size(), 8u);
    EXPECT_FALSE(events.events.join(' ').contains("OnSectorCreated"));
}

TEST_F(UniverseMapWindow, SectorsFarOffTheGridAreSkippedSafely) {
    Open(R"(<universe>
      <o t="1" x="2147483647" y="-2147483648"><o t="18" gx="0" gy="0"/></o>
      <o t="1" x="-1" y="0"/>
      <o t="1" x="0" y="0"/>
    </universe>)");
    MakeUniverse();
    ASSERT_EQ(universe->Records().size(), 3u);
    EXPECT_TRUE(universe->Records()[0].cell.isNull());
    const QImage image = RenderUniverse();
    EXPECT_EQ(Pixel(image, universe->Layout().CellWidth() / 2, 2), QColor(255, 255, 255))
        << "the sector at (0,0)";
    universe->SelectSector(SectorAt(2147483647, -2147483648));
    universe->Form_KeyDown(MapKeys::kLeft, false);
    universe->Form_KeyDown(MapKeys::kDown, false);
    RenderUniverse();
}

TEST_F(UniverseMapWindow, ArrowsStepToTheNearestSectorAndThroughSharedCells) {
    MakeUniverse(false);
    universe->SelectSector(SectorAt(2, 4));
    EXPECT_TRUE(events.events.isEmpty()) << "selecting for the editor is silent";
    universe->Form_KeyDown(MapKeys::kRight, false);
    EXPECT_EQ(events.events, QStringList{"OnSectorClick 6,4"});
    universe->Form_KeyDown(MapKeys::kRight, false);
    EXPECT_EQ(events.events.size(), 1) << "nothing further right in row 4";

    // Both sectors of one cell can be reached, by clicks and by keys.
    const QPointF shared = CellMiddle(8, 8);
    universe->Map_MouseDown(Qt::LeftButton, shared.x(), shared.y());
    const int32_t first = universe->SelectedIndex();
    universe->Map_MouseDown(Qt::LeftButton, shared.x(), shared.y());
    const int32_t second = universe->SelectedIndex();
    EXPECT_NE(first, second);
    EXPECT_EQ(universe->Records()[first].x, universe->Records()[second].x);
    universe->Form_KeyDown(MapKeys::kLeft, false);
    EXPECT_EQ(universe->SelectedIndex(), first);

    universe->Form_KeyDown(MapKeys::kLeft, true);
    EXPECT_EQ(universe->Layout().Pan(), QPointF(20, 0));
}

TEST_F(UniverseMapWindow, ClearForgetsEverythingTheViewHeld) {
    MakeUniverse(false);
    RightClickCell(1, 1);
    universe->mnuPopCopy->trigger();
    universe->Clear();
    EXPECT_TRUE(universe->Records().empty());
    EXPECT_EQ(universe->SelectedIndex(), -1);
    RightClickCell(1, 1);
    EXPECT_FALSE(universe->mnuPopPaste->isEnabled()) << "the copied sector is forgotten";
    EXPECT_TRUE(universe->mnuPopupAddSec->isEnabled()) << "no cell holds a record";
    universe->Form_KeyDown(MapKeys::kDelete, false);
    universe->Form_KeyDown(MapKeys::kRight, false);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(UniverseMapWindow, SelectionShowsRaceAndCellAndDoubleClickOpensTheSector) {
    MakeUniverse(false);
    const QPointF cell = CellMiddle(1, 1);
    universe->Map_MouseDown(Qt::LeftButton, cell.x(), cell.y());
    EXPECT_EQ(universe->PanelText(2), mdlZorvConst::RaceNames[6]);
    EXPECT_TRUE(universe->PanelText(3).endsWith(" (1, 1)"));
    universe->Map_MouseMove(Qt::NoButton, Qt::NoModifier, cell.x(), cell.y());
    EXPECT_EQ(universe->PanelText(1), "X: 1, Y: 1");
    universe->Map_DblClick();
    EXPECT_EQ(events.events.last(), "OnDisplaySector 1,1");
}

QSize FakeMeasure(const QString& text) {
    return text.isEmpty() ? QSize(0, 0) : QSize(static_cast<int>(text.size()) * 5, 10);
}

TEST(UniverseMapLayout, NamesWrapWithinTheWidestWord) {
    auto document = clsGalaxyParser::Create();
    std::vector<UniverseSectorRecord> records(5);
    const char* names[] = {"Alpha Beta Gamma", "Constellation", "", "A  B", "Beta Alpha"};
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].name = names[i];
        records[i].x = static_cast<int32_t>(i);
    }
    UniverseMapLayout layout;
    layout.Rebuild(*document, records, true, FakeMeasure);
    EXPECT_EQ(layout.CellWidth(), 69);
    EXPECT_EQ(layout.CellHeight(), 46);
    EXPECT_EQ(records[0].nameLines, (QStringList{"Alpha Beta", "Gamma"}));
    EXPECT_EQ(records[2].lineCount, 1);
    EXPECT_EQ(records[2].lineSizes[0], QSize(0, 0)) << "an empty name is one empty line";
    EXPECT_EQ(records[3].nameLines, QStringList{"A B"});
    EXPECT_EQ(records[4].lineSizes, std::vector<QSize>{QSize(50, 10)})
        << "words met before keep their own widths";
    EXPECT_EQ(records[1].cell, QRect(69, 0, 69, 46));
    EXPECT_EQ(layout.CellAt(QPointF(-1, 5)), QPoint(-1, 0));

    layout.Rebuild(*document, records, false, FakeMeasure);
    EXPECT_EQ(layout.CellWidth(), 24);
    EXPECT_EQ(layout.CellHeight(), 26);
}

} // namespace
