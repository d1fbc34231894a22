#include "MapsTestSupport.h"

#include "galaxy/widgets/frmNewGalObject.h"
#include "maps/MapKeys.h"
#include "platform/widgets/DialogRunner.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QRadioButton>
#include <QSpontaneKeyEvent>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

using namespace mapstest;
using platform::PromptAnswer;

namespace {

// One notch of the wheel over the middle of a widget, as the mouse sends it
// (and as QTest sends its keys): spontaneous, so a widget that does not use
// it passes it on to its parents.
void WheelOver(QWidget* widget, int delta) {
    const QPointF at = QRectF(widget->rect()).center();
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(widget, &event);
}

// "New Object" answered with a factory.
void ChooseFactory(frmNewGalObject& form) {
    form.cmbType->setCurrentIndex(form.cmbType->findData(6));
    form.btnOK_Click();
}

class SectorMapWindow : public SectorMapFixture {
protected:
    void SetUp() override {
        SectorMapFixture::SetUp();
        MakeMap();
        ShowFirstSector();
        spy.events.clear();
    }

    Ptr Planet() { return Child(Sector(1), 4); }
    Ptr Gate() { return Child(Sector(1), 3); }

    void Press(Qt::MouseButton button, float x, float y) {
        map->Map_MouseDown(button, Qt::NoModifier, x, y);
    }
    void AltDrag(float fromX, float fromY, float toX, float toY) {
        map->Map_MouseDown(Qt::LeftButton, Qt::AltModifier, fromX, fromY);
        map->Map_MouseMove(Qt::LeftButton, Qt::AltModifier, toX, toY);
        map->Map_MouseUp(Qt::LeftButton, toX, toY);
    }
    void RightClick(float x, float y) {
        Press(Qt::RightButton, x, y);
        map->Map_MouseUp(Qt::RightButton, x, y);
    }
    QString Key(const Ptr& object) { return object->Key(); }
};

TEST_F(SectorMapWindow, RecordsStandParentsBeforeChildrenAndSkipObjectsWithoutX) {
    QStringList types;
    for (const SectorMapObjectRecord& record : map->Records())
        types << QString::number(record.type);
    EXPECT_EQ(types.join(' '), "3 7 7 18 4 17");
    EXPECT_EQ(map->Records()[3].key, Key(Gate()));
    EXPECT_EQ(map->Records()[4].negZ, -1'110'000);
    EXPECT_TRUE(map->windowTitle().startsWith("Sector Map ["));
    EXPECT_FALSE(map->windowTitle().endsWith("*"));
}

TEST_F(SectorMapWindow, SelectingRaisesTheClickOnceAndShowsTheStatus) {
    map->SelectGalObject(Planet());
    EXPECT_EQ(spy.events, QStringList{"OnObjectClick " + Key(Planet())});
    map->SelectGalObject(Planet());
    EXPECT_EQ(spy.events.size(), 1) << "the selected object again raises nothing";
    EXPECT_TRUE(map->PanelText(3).endsWith("   X: 10.000 km, Y: 5.000 km, Z: 5.000 km"));
    map->rbUnits[1]->click();
    EXPECT_TRUE(map->PanelText(3).endsWith("   X: 2220000.000, Y: 1110000.000, Z: 1110000.000"));

    map->Map_MouseMove(Qt::NoButton, Qt::NoModifier, 240, 180);
    EXPECT_EQ(map->PanelText(2), "X: 2220000.000 , Z: 1110000.000 ");
    map->rbUnits[0]->click();
    map->Map_MouseMove(Qt::NoButton, Qt::NoModifier, 240, 180);
    EXPECT_EQ(map->PanelText(2), "X: 10.000 km, Z: 5.000 km");

    // A press on empty space keeps the selection; one on a marker selects it.
    Press(Qt::LeftButton, 300, 300);
    EXPECT_EQ(map->SelectedIndex(), 4);
    Press(Qt::LeftButton, 160, 240);
    EXPECT_EQ(map->SelectedIndex(), 3);
    EXPECT_EQ(spy.events.last(), "OnObjectClick " + Key(Gate()));
}

TEST_F(SectorMapWindow, AltDragMarksTheMapAndYesWritesOnlyWhatMoved) {
    const Ptr asteroid = Child(Sector(1), 5);
    const Ptr sun = Child(Sector(1), 1);
    sun->Dirty = false;
    AltDrag(40, 200, 260, 220); // the asteroid, moved to x 3,330,000, z -1,110,000
    EXPECT_TRUE(map->windowTitle().endsWith(" *"));
    EXPECT_TRUE(map->btnUpdate->isEnabled());
    EXPECT_EQ(asteroid->x(), -8'880'000) << "the object waits for the write-back";

    prompts.answer(PromptAnswer::Cancel);
    EXPECT_FALSE(map->QueryUnload());
    EXPECT_TRUE(map->IsModified());

    prompts.answer(PromptAnswer::Yes);
    spy.events.clear();
    map->MainToolbar_ButtonClick("update");
    EXPECT_EQ(prompts.messages().back().text,
              "Do you want to update coordinates of objects in Ruvaze Rezivo?");
    EXPECT_NEAR(asteroid->x(), 3'330'000, 40'000);
    EXPECT_NEAR(asteroid->z(), -1'110'000, 40'000);
    EXPECT_EQ(asteroid->Property("y"), nullptr) << "no y for a move in the top view";
    EXPECT_FALSE(sun->Dirty) << "records that did not move are not written";
    EXPECT_EQ(spy.events, QStringList{"OnCoordsUpdated"});
    EXPECT_FALSE(map->IsModified());
    EXPECT_FALSE(map->windowTitle().endsWith(" *"));
    EXPECT_FALSE(map->Records()[5].moved);
    EXPECT_TRUE(map->QueryUnload());
}

TEST_F(SectorMapWindow, MovesSurviveEditsAndAreOfferedBeforeAnotherSectorReplacesThem) {
    AltDrag(240, 180, 300, 100);
    const int32_t movedX = map->Records()[4].x;
    document.SetProperty(Planet(), "n", 5);
    EXPECT_EQ(map->Records()[4].x, movedX) << "an edit keeps the moved coordinates";
    EXPECT_TRUE(map->Records()[4].moved);

    prompts.answer(PromptAnswer::Cancel);
    map->SelectGalObject(Child(Sector(2), 1));
    EXPECT_EQ(map->ShownSector(), Sector(1)) << "Cancel keeps the sector and its moves";
    EXPECT_TRUE(map->IsModified());

    prompts.answer(PromptAnswer::Yes);
    map->SelectGalObject(Child(Sector(2), 1));
    EXPECT_EQ(map->ShownSector(), Sector(2));
    EXPECT_EQ(Planet()->x(), movedX) << "Yes wrote the moves before the sector changed";
    EXPECT_TRUE(spy.events.contains("OnCoordsUpdated"));
}

TEST_F(SectorMapWindow, ClearOffersPendingMovesAndForgetsTheSector) {
    AltDrag(240, 180, 300, 100);
    const int32_t movedX = map->Records()[4].x;
    prompts.answer(PromptAnswer::Yes);
    map->Clear();
    EXPECT_EQ(Planet()->x(), movedX);
    EXPECT_EQ(map->ShownSector(), nullptr);
    EXPECT_TRUE(map->Records().empty());
    EXPECT_EQ(map->windowTitle(), "Sector Map");
    EXPECT_TRUE(map->QueryUnload()) << "nothing is left to ask about";
}

TEST_F(SectorMapWindow, CreatingPlacesTheObjectAtTheClickAndRaisesCreatedThenClick) {
    platform::ScriptedDialogs dialogs;
    dialogs.answerAs<frmNewGalObject>(ChooseFactory);
    RightClick(300, 100); // x 5,550,000, z 5,550,000
    ASSERT_TRUE(map->mnuPopAddObj->isEnabled());
    map->mnuPopAddObj->trigger();
    ASSERT_EQ(spy.events.size(), 2) << spy.events.join(", ").toStdString();
    const Ptr created = Sector(1)->Childs.at(Sector(1)->Childs.count());
    EXPECT_EQ(created->otype(), 6);
    EXPECT_EQ(spy.events,
              (QStringList{"OnObjectCreated " + Key(created), "OnObjectClick " + Key(created)}));
    EXPECT_EQ(created->x(), 5'550'000);
    EXPECT_EQ(created->z(), 5'550'000);
    ASSERT_GE(map->SelectedIndex(), 0);
    EXPECT_EQ(map->Records()[map->SelectedIndex()].key, Key(created));
    EXPECT_EQ(map->Records().size(), 7u) << "one record, though the editor passed it back";
}

TEST_F(SectorMapWindow, AnObjectThatCannotBeWrittenLeavesNothingBehind) {
    platform::ScriptedDialogs dialogs;
    dialogs.answerAs<frmNewGalObject>(ChooseFactory);
    const int children = Sector(1)->Childs.count();
    const int objects = document.parser()->objects.count();
    Sector(1)->XMLBookmark = 987654; // no such element
    RightClick(300, 100);
    map->mnuPopAddObj->trigger();
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_TRUE(
        prompts.messages().back().text.startsWith("Error while updating ojbect state in XML:"));
    EXPECT_EQ(Sector(1)->Childs.count(), children);
    EXPECT_EQ(document.parser()->objects.count(), objects);
    EXPECT_EQ(map->Records().size(), 6u);
    EXPECT_FALSE(spy.events.join(' ').contains("OnObjectCreated"));
}

TEST_F(SectorMapWindow, PastingCopiesTheObjectToTheClickedPoint) {
    map->SelectGalObject(Planet());
    map->mnuPopCopy->trigger();
    RightClick(100, 300);
    ASSERT_TRUE(map->mnuPopPaste->isEnabled());
    spy.events.clear();
    map->mnuPopPaste->trigger();
    ASSERT_EQ(spy.events.size(), 2) << spy.events.join(", ").toStdString();
    const QString copyKey = spy.events[0].section(' ', 1);
    EXPECT_EQ(spy.events, (QStringList{"OnObjectClick " + copyKey, "OnObjectCreated " + copyKey}));
    const Ptr copy = document.parser()->objects.find(copyKey);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->x(), -5'550'000);
    EXPECT_EQ(copy->z(), -5'550'000);
    EXPECT_EQ(copy->y(), 1'110'000) << "the other coordinate is copied";
    EXPECT_EQ(map->Records()[map->SelectedIndex()].key, copyKey);
}

TEST_F(SectorMapWindow, APasteThatCannotBeWrittenLeavesNothingBehind) {
    map->SelectGalObject(Planet());
    map->mnuPopCopy->trigger();
    const int children = Sector(1)->Childs.count();
    const int objects = document.parser()->objects.count();
    Sector(1)->XMLBookmark = 987654; // no such element
    RightClick(100, 300);
    spy.events.clear();
    map->mnuPopPaste->trigger();
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_EQ(prompts.messages().back().icon, platform::PromptIcon::Critical);
    EXPECT_EQ(Sector(1)->Childs.count(), children);
    EXPECT_EQ(document.parser()->objects.count(), objects);
    EXPECT_EQ(map->Records().size(), 6u);
    EXPECT_TRUE(spy.events.isEmpty());
}

TEST_F(SectorMapWindow, DeletingAsksAndRemovesTheRecordsOfTheWholeSubtree) {
    map->SelectGalObject(Planet());
    spy.events.clear();
    prompts.answer(PromptAnswer::No);
    map->Form_KeyDown(MapKeys::kDelete);
    EXPECT_TRUE(document.Contains(Planet()));
    prompts.answer(PromptAnswer::Yes);
    const Ptr planet = Planet();
    map->Form_KeyDown(MapKeys::kDelete);
    EXPECT_TRUE(
        prompts.messages().back().text.startsWith("Do you really want to delete selected object "));
    EXPECT_FALSE(document.Contains(planet));
    EXPECT_EQ(spy.events, QStringList{"OnObjectDeleted " + Key(planet)});
    EXPECT_EQ(map->SelectedIndex(), -1);
    EXPECT_EQ(map->PanelText(3), "");

    // The container's ships go with it, though it has no record itself.
    document.DeleteObject(Child(Sector(1), 2));
    QStringList types;
    for (const SectorMapObjectRecord& record : map->Records())
        types << QString::number(record.type);
    EXPECT_EQ(types.join(' '), "3 18 17");
}

TEST_F(SectorMapWindow, ARefusedDeleteSaysWhy) {
    QTest::mouseClick(map->Map, Qt::LeftButton, Qt::NoModifier, QPoint(240, 180));
    ASSERT_EQ(map->Records()[map->SelectedIndex()].key, Key(Planet()));
    Planet()->XMLBookmark = 987654; // no such element
    prompts.answer(PromptAnswer::Yes);
    QTest::keyClick(map->Map, Qt::Key_Delete);
    ASSERT_EQ(prompts.messages().size(), 2u);
    EXPECT_EQ(prompts.messages()[1].text,
              "Error deleting object: \nUnable to select object bookmark.");
    EXPECT_EQ(prompts.messages()[1].title, "Ruvaze Rezivo - Sector Map");
    EXPECT_TRUE(document.Contains(Planet()));
    EXPECT_EQ(map->Records()[map->SelectedIndex()].key, Key(Planet()));
}

TEST_F(SectorMapWindow, LinkingGatesOneWayAndBothWays) {
    const Ptr first = Gate();
    map->SelectGalObject(first);
    map->mnuPopGateSelect->trigger();
    ASSERT_TRUE(document.LoadSector(Sector(2)));
    const Ptr second = Child(Sector(2), 1);
    document.SetProperty(second, "gid", 4);
    map->SelectGalObject(second);
    ASSERT_EQ(map->ShownSector(), Sector(2));
    RightClick(200, 200);
    EXPECT_TRUE(map->mnuPopGate->menuAction()->isVisible());
    EXPECT_TRUE(map->mnuPopGateLink->isEnabled());

    spy.events.clear();
    prompts.answer(PromptAnswer::No);
    map->mnuPopGateLink->trigger();
    EXPECT_TRUE(prompts.messages().back().text.contains(", GID = 1\n\nPress Yes to cross-link"));
    EXPECT_EQ(spy.events, QStringList{"OnObjectModified " + Key(second)});
    EXPECT_EQ(second->NamedProperty("gx"), 2);
    EXPECT_EQ(second->NamedProperty("gy"), 3);
    EXPECT_EQ(second->NamedProperty("gtid"), 1);

    spy.events.clear();
    prompts.answer(PromptAnswer::Yes);
    map->mnuPopGateLink->trigger();
    EXPECT_EQ(spy.events,
              (QStringList{"OnObjectModified " + Key(second), "OnObjectModified " + Key(first)}));
    EXPECT_EQ(first->NamedProperty("gx"), 4);
    EXPECT_EQ(first->NamedProperty("gy"), 5);
    EXPECT_EQ(first->NamedProperty("gtid"), 4);

    spy.events.clear();
    prompts.answer(PromptAnswer::Cancel);
    map->mnuPopGateLink->trigger();
    EXPECT_TRUE(spy.events.isEmpty());

    // A deleted gate is no longer the chosen one.
    document.DeleteObject(first);
    RightClick(200, 200);
    EXPECT_FALSE(map->mnuPopGateLink->isEnabled());
}

TEST_F(SectorMapWindow, ANestedGateLinksWithItsSector) {
    const Ptr container = Child(Sector(1), 2);
    const Ptr nested = document.parser()->NewGalObject(container);
    nested->Setotype(18);
    ASSERT_TRUE(document.AddNewObject(nested));
    document.SetProperty(nested, "gid", 2);
    // A deeper object that gains coordinates gets a record.
    document.SetCoordinates(nested, 0, 0, 8'880'000);
    map->SelectGalObject(nested);
    ASSERT_EQ(map->Records()[map->SelectedIndex()].key, Key(nested));
    map->mnuPopGateSelect->trigger();
    map->SelectGalObject(Gate());
    prompts.answer(PromptAnswer::No);
    map->mnuPopGateLink->trigger();
    EXPECT_EQ(Gate()->NamedProperty("gx"), 2);
    EXPECT_EQ(Gate()->NamedProperty("gy"), 3);
    EXPECT_EQ(Gate()->NamedProperty("gtid"), 2);
}

TEST_F(SectorMapWindow, WheelNotchesAddUpAndTheirSignDecides) {
    map->Map_Wheel(240);
    EXPECT_EQ(map->PanelText(1), "225.0%");
    map->Map_Wheel(60);
    EXPECT_EQ(map->PanelText(1), "225.0%");
    map->Map_Wheel(60);
    EXPECT_EQ(map->PanelText(1), "337.5%");
    map->Map_Wheel(-120);
    EXPECT_EQ(map->PanelText(1), "225.0%");
    map->Form_KeyDown(MapKeys::kSubtract);
    map->Form_KeyDown(MapKeys::kSubtract);
    EXPECT_EQ(map->PanelText(1), "100.0%");
}

TEST_F(SectorMapWindow, TheWheelZoomsOverEveryPartOfTheWindow) {
    const QStringList steps = {"150.0%", "225.0%", "337.5%", "506.3%", "759.4%"};
    QWidget* const parts[] = {map->MainToolbar->widgetForAction(map->btnSync), map->MainToolbar,
                              map->chkAutoSync, map->Bar, map->Map};
    for (int i = 0; i < 5; ++i) {
        WheelOver(parts[i], 120);
        EXPECT_EQ(map->PanelText(1), steps[i]) << "wheel over part " << i;
    }
    WheelOver(map->Bar, -120);
    EXPECT_EQ(map->PanelText(1), "506.3%");
}

TEST_F(SectorMapWindow, KeysPanAndCentreButtonsBringTheViewBack) {
    map->Form_KeyDown(MapKeys::kLeft);
    map->Form_KeyDown(MapKeys::kUp);
    EXPECT_EQ(map->Transform().Pan(), QPointF(10, 10));
    map->Form_KeyDown(200);
    EXPECT_EQ(map->Transform().Pan(), QPointF(10, 10));
    map->MainToolbar_ButtonClick("center");
    EXPECT_EQ(map->Transform().Pan(), QPointF(0, 0));
    map->SelectGalObject(Planet());
    map->MainToolbar_ButtonClick("centerobj");
    EXPECT_EQ(map->Transform().MarkerPixel(2'220'000, -1'110'000), QPoint(200, 200));

    // Dragging without Alt pans and moves nothing.
    Press(Qt::LeftButton, 100, 100);
    map->Map_MouseMove(Qt::LeftButton, Qt::NoModifier, 130, 90);
    EXPECT_EQ(map->Transform().MarkerPixel(2'220'000, -1'110'000), QPoint(230, 190));
    EXPECT_FALSE(map->IsModified());
}

TEST_F(SectorMapWindow, MiddleClicksMeasureFromThePressedPoint) {
    map->Map_MouseDown(Qt::MiddleButton, Qt::NoModifier, 200, 200);
    map->Map_MouseUp(Qt::MiddleButton, 200, 200);
    EXPECT_TRUE(map->Measuring());
    map->Map_MouseMove(Qt::NoButton, Qt::NoModifier, 240, 200);
    const QImage image = Render();
    EXPECT_EQ(Pixel(image, 220, 200), QColor(28, 181, 16)) << "the measuring line";
    map->Map_MouseUp(Qt::MiddleButton, 240, 200);
    EXPECT_FALSE(map->Measuring());
}

TEST_F(SectorMapWindow, SyncLoadsTheEditorsObjectAndAutoSyncOffKeepsTheSector) {
    map->chkAutoSync->click();
    ASSERT_FALSE(map->chkAutoSync->isChecked());
    map->SelectGalObject(Child(Sector(2), 1));
    EXPECT_EQ(map->ShownSector(), Sector(1));
    spy.syncObject = Child(Sector(2), 1);
    map->MainToolbar_ButtonClick("sync");
    EXPECT_EQ(map->ShownSector(), Sector(2));
    EXPECT_EQ(spy.events, (QStringList{"OnNeedSync", "OnObjectClick " + Key(spy.syncObject)}));
}

TEST_F(SectorMapWindow, OptionsAreSavedAtCloseAndReadAtLoad) {
    map->chkLabel[0]->click();
    map->rbUnits[2]->click();
    map->MainToolbar_ButtonClick("side");
    map->Unload();
    EXPECT_EQ(spy.events, QStringList{"OnClose"});
    delete map.data();
    MakeMap();
    EXPECT_TRUE(map->chkLabel[0]->isChecked());
    EXPECT_TRUE(map->chkLabel[1]->isChecked());
    EXPECT_TRUE(map->rbUnits[2]->isChecked());
    EXPECT_TRUE(map->btnSide->isChecked());
    EXPECT_FALSE(map->btnTop->isChecked());
}

TEST_F(SectorMapWindow, TheCloseBoxAsksAboutMovesAndCancelKeepsTheWindow) {
    AltDrag(240, 180, 300, 100);
    prompts.answer(PromptAnswer::Cancel);
    EXPECT_FALSE(map->close());
    EXPECT_TRUE(map->isVisible());
    prompts.answer(PromptAnswer::No);
    EXPECT_TRUE(map->close());
    EXPECT_EQ(spy.events.last(), "OnClose");
    EXPECT_EQ(Planet()->x(), 2'220'000) << "No writes nothing";
}

TEST_F(SectorMapWindow, ControlsAreFoundByTheirMemberNames) {
    ExpectNamed(*map, {{"MainToolbar", map->MainToolbar},
                       {"btnSync", map->btnSync},
                       {"btnUpdate", map->btnUpdate},
                       {"btnTop", map->btnTop},
                       {"btnSide", map->btnSide},
                       {"btnCenter", map->btnCenter},
                       {"btnCenterObj", map->btnCenterObj},
                       {"chkAutoSync", map->chkAutoSync},
                       {"chkLabel0", map->chkLabel[0]},
                       {"chkLabel1", map->chkLabel[1]},
                       {"rbUnits0", map->rbUnits[0]},
                       {"rbUnits2", map->rbUnits[2]},
                       {"Map", map->Map},
                       {"Bar", map->Bar},
                       {"mnuPop", map->mnuPop},
                       {"mnuPopAddObj", map->mnuPopAddObj},
                       {"mnuPopCopy", map->mnuPopCopy},
                       {"mnuPopPaste", map->mnuPopPaste},
                       {"mnuPopSep2", map->mnuPopSep2},
                       {"mnuPopGate", map->mnuPopGate},
                       {"mnuPopGateSelect", map->mnuPopGateSelect},
                       {"mnuPopGateLink", map->mnuPopGateLink},
                       {"mnuPopDist", map->mnuPopDist},
                       {"mnuPopDelete", map->mnuPopDelete}});
    EXPECT_EQ(map->objectName(), "frmSectorMap");
}

TEST_F(SectorMapWindow, DoubleClickAndEnterAskToShowTheObject) {
    map->Map_MouseMove(Qt::NoButton, Qt::NoModifier, 240, 180);
    map->Map_DblClick();
    EXPECT_EQ(spy.events.last(), "OnShowObject " + Key(Planet()));
    spy.events.clear();
    map->Form_KeyDown(MapKeys::kEnter);
    EXPECT_TRUE(spy.events.isEmpty()) << "nothing is selected";
}

} // namespace
