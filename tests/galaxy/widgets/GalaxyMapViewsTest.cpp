#include "GalaxyWidgetsTestSupport.h"

#include "galaxy/widgets/GalaxyEditorRoles.h"
#include "galaxy/widgets/GalaxyMapViews.h"
#include "galaxy/widgets/frmGalaxyEditor.h"
#include "galaxy/widgets/frmNewGalObject.h"
#include "platform/widgets/DialogRunner.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace galaxytest;

namespace {

using Strings = std::vector<std::string>;

// Map windows that write down every call as "operation:key".
struct Calls {
    Strings list;
    void Add(const std::string& operation, const GalaxyObjectPtr& object = nullptr) {
        list.push_back(object ? operation + ":" + Text(object->Key()) : operation);
    }
};

class FakeSectorMap : public SectorMapView {
public:
    FakeSectorMap(Calls& calls, SectorMapEvents& events) : calls(calls), events(events) {}
    void ShowMap(GalaxyDocument&, QWidget*) override { calls.Add("map.ShowMap"); }
    void SelectGalObject(const GalaxyObjectPtr& object) override {
        calls.Add("map.Select", object);
    }
    void ObjectAdded(const GalaxyObjectPtr& object) override { calls.Add("map.Added", object); }
    void ObjectRemoved(const GalaxyObjectPtr& object) override { calls.Add("map.Removed", object); }
    void ObjectModified(const GalaxyObjectPtr& object) override {
        calls.Add("map.Modified", object);
    }
    void Clear() override { calls.Add("map.Clear"); }
    bool QueryUnload() override {
        calls.Add("map.QueryUnload");
        return allowClose;
    }
    void ShowAgain(QWidget*) override { calls.Add("map.ShowAgain"); }
    void Unload() override {
        calls.Add("map.Unload");
        events.OnClose();
        delete this;
    }

    Calls& calls;
    SectorMapEvents& events;
    bool allowClose = true;
};

class FakeUniverseMap : public UniverseMapView {
public:
    FakeUniverseMap(Calls& calls, UniverseMapEvents& events) : calls(calls), events(events) {}
    void ShowUniverse(GalaxyDocument&, QWidget*) override { calls.Add("universe.Show"); }
    void SelectSector(const GalaxyObjectPtr& object) override {
        calls.Add("universe.Select", object);
    }
    void RefreshUniverse(GalaxyDocument&) override { calls.Add("universe.Refresh"); }
    void Clear() override { calls.Add("universe.Clear"); }
    void ObjectAdded(const GalaxyObjectPtr& object) override {
        calls.Add("universe.Added", object);
    }
    void ObjectRemoved(const GalaxyObjectPtr& object) override {
        calls.Add("universe.Removed", object);
    }
    void ObjectModified(const GalaxyObjectPtr& object) override {
        calls.Add("universe.Modified", object);
    }
    void Unload() override {
        calls.Add("universe.Unload");
        events.OnClose();
        delete this;
    }

    Calls& calls;
    UniverseMapEvents& events;
};

class FakeFactory : public GalaxyMapFactory {
public:
    SectorMapView* CreateSectorMap(SectorMapEvents& events) override {
        sectorEvents = &events;
        sectorMap = new FakeSectorMap(calls, events);
        return sectorMap;
    }
    UniverseMapView* CreateUniverseMap(UniverseMapEvents& events) override {
        universeEvents = &events;
        universeMap = new FakeUniverseMap(calls, events);
        return universeMap;
    }

    Calls calls;
    SectorMapEvents* sectorEvents = nullptr;
    UniverseMapEvents* universeEvents = nullptr;
    FakeSectorMap* sectorMap = nullptr;
    FakeUniverseMap* universeMap = nullptr;
};

class GalaxyMapViewsTest : public GalaxyWindowTest {
protected:
    ~GalaxyMapViewsTest() override { GalaxyMapViews::SetFactory(nullptr); }
    void Open() {
        QString path = WriteMap(kTwoSectors);
        editor.OpenFile(path);
    }
    QTreeWidgetItem* Top(int index) const { return editor.Tree->topLevelItem(index); }

    FakeFactory factory;
    frmGalaxyEditor editor;
};

TEST_F(GalaxyMapViewsTest, WithoutAFactoryTheMapButtonsStayOff) {
    editor.MyShow();
    EXPECT_FALSE(editor.Button("map")->isEnabled());
    EXPECT_FALSE(editor.Button("universe")->isEnabled());
    editor.ShowSectorMap();
    EXPECT_EQ(editor.SectorMap(), nullptr);
}

TEST_F(GalaxyMapViewsTest, TheMapsFollowTheEditor) {
    GalaxyMapViews::SetFactory(&factory);
    editor.MyShow();
    EXPECT_TRUE(editor.Button("map")->isEnabled());
    Open();
    editor.ShowSectorMap();
    editor.ShowUniverseMap();
    EXPECT_TRUE(editor.Button("map")->isChecked());
    EXPECT_TRUE(editor.Button("universe")->isChecked());
    EXPECT_EQ(factory.calls.list,
              (Strings{"map.ShowMap", "map.Select:1k", "universe.Show", "universe.Select:1k"}));

    // Opening a map first lets the sector map offer its moves; a Cancel there
    // keeps the open map.
    factory.calls.list.clear();
    factory.sectorMap->allowClose = false;
    const auto before = editor.Document().parser();
    Open();
    EXPECT_EQ(factory.calls.list, Strings{"map.QueryUnload"});
    EXPECT_EQ(editor.Document().parser(), before);
    factory.sectorMap->allowClose = true;

    // Then it clears both, refreshes the universe and selects the first sector.
    factory.calls.list.clear();
    Open();
    EXPECT_EQ(factory.calls.list,
              (Strings{"map.QueryUnload", "map.Clear", "universe.Clear", "universe.Refresh",
                       "map.Select:1k", "universe.Select:1k"}));

    // A new object reaches both maps; a deletion too.
    factory.calls.list.clear();
    editor.Tree->setCurrentItem(Top(0));
    platform::ScriptedDialogs dialogs;
    dialogs.answerAs<frmNewGalObject>([](frmNewGalObject& dialog) {
        dialog.cmbType->setCurrentIndex(dialog.cmbType->findData(4));
        emit dialog.cmbType->activated(dialog.cmbType->currentIndex());
        dialog.btnOK->click();
    });
    editor.AddNewObject(false);
    const GalaxyObjectPtr planet = editor.Document().parser()->Sectors.at(1)->Childs.at(6);
    EXPECT_EQ(factory.calls.list.back(), "universe.Added:" + Text(planet->Key()));
    factory.calls.list.clear();
    editor.Tree->setCurrentItem(editor.Node(planet->Key()));
    prompts.answer(platform::PromptAnswer::Yes);
    editor.DeleteSelectedObject();
    const Strings expected = {"map.Removed:" + Text(planet->Key()),
                              "universe.Removed:" + Text(planet->Key())};
    EXPECT_EQ(Strings(factory.calls.list.begin() + 2, factory.calls.list.begin() + 4), expected);
}

TEST_F(GalaxyMapViewsTest, EveryChangeReachesTheSectorMapFirst) {
    GalaxyMapViews::SetFactory(&factory);
    editor.MyShow();
    Open();
    editor.ShowUniverseMap();
    editor.ShowSectorMap();
    const auto parser = editor.Document().parser();
    ASSERT_TRUE(editor.Document().LoadSector(parser->Sectors.at(1)));
    const GalaxyObjectPtr planet = parser->Sectors.at(1)->Childs.at(3);
    const GalaxyObjectPtr dock = parser->Sectors.at(1)->Childs.at(5);
    const std::string key = Text(planet->Key());
    factory.calls.list.clear();
    ASSERT_TRUE(editor.Document().SetProperty(planet, "n", 3));
    ASSERT_TRUE(editor.Document().MoveObject(planet, dock, true));
    EXPECT_EQ(factory.calls.list,
              (Strings{"map.Modified:" + key, "universe.Modified:" + key, "map.Removed:" + key,
                       "map.Added:" + key, "universe.Removed:" + key, "universe.Added:" + key}));
}

TEST_F(GalaxyMapViewsTest, EventsOfTheMaps) {
    GalaxyMapViews::SetFactory(&factory);
    editor.MyShow();
    Open();
    editor.ShowSectorMap();
    editor.ShowUniverseMap();
    const auto parser = editor.Document().parser();
    const GalaxyObjectPtr second = parser->Sectors.at(2);

    factory.universeEvents->OnSectorClick(second);
    EXPECT_EQ(editor.SelectedObject(), second);
    EXPECT_EQ(factory.sectorEvents->OnNeedSync(), second);

    // Double-clicking an unread sector reads it and raises the sector map.
    factory.universeEvents->OnDisplaySector(second);
    EXPECT_TRUE(second->Loaded);
    EXPECT_EQ(factory.calls.list.back(), "map.ShowAgain");

    const GalaxyObjectPtr ship = second->Childs.at(2);
    factory.sectorEvents->OnObjectClick(ship);
    EXPECT_EQ(editor.Tree->currentItem(), editor.Node(ship->Key()));
    ASSERT_TRUE(editor.Document().DeleteObject(ship));
    factory.sectorEvents->OnObjectDeleted(ship);
    EXPECT_NE(editor.SelectedObject(), ship);
    EXPECT_TRUE(editor.Modified());

    // A sector map that keeps its moved coordinates stays open.
    factory.sectorMap->allowClose = false;
    editor.ShowSectorMap();
    EXPECT_NE(editor.SectorMap(), nullptr);
    EXPECT_TRUE(editor.Button("map")->isChecked());
    factory.sectorMap->allowClose = true;
    editor.ShowSectorMap();
    EXPECT_EQ(editor.SectorMap(), nullptr);
    EXPECT_FALSE(editor.Button("map")->isChecked());

    // A window closed by the person reports it and goes by itself.
    factory.universeEvents->OnClose();
    EXPECT_EQ(editor.UniverseMap(), nullptr);
    EXPECT_FALSE(editor.Button("universe")->isChecked());
    delete factory.universeMap;
}

} // namespace
