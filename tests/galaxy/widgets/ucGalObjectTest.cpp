#include "GalaxyWidgetsTestSupport.h"

#include "galaxy/widgets/frmGalEdit.h"
#include "galaxy/widgets/ucGalObject.h"
#include "gamefiles/mdlZorvVFS.h"
#include "platform/widgets/DialogRunner.h"
#include "resources/clsDescServer.h"
#include "ships/ShipTestSupport.h"
#include "ships/widgets/LaserPage.h"
#include "ships/widgets/ShipPanels.h"
#include "ships/widgets/ShipWidgetTestSupport.h"
#include "ships/widgets/ucShip.h"
#include "tfiles/TFileDocument.h"
#include "tfiles/clsArchive.h"
#include "tfiles/widgets/EditingPanel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

using namespace galaxytest;

namespace {

using Strings = std::vector<std::string>;

const std::string kMap = R"(<universe>
  <o t="1" s="0" x="0" y="0" color="16744448">
    <o t="7" s="0" x="22200" y="444000" z="411144" a="10"/>
    <o t="18" s="0" gid="1" gx="0" gy="0" gtid="9"/>
    <o t="5" s="0"/>
    <o t="10" s="0"/>
    <o t="9" s="0"/>
  </o>
</universe>)";

Strings Rows(const QTreeWidget* list) {
    Strings rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        rows.push_back(Text(row->text(0)) + "=" + Text(row->text(1)));
    }
    return rows;
}

class ucGalObjectTest : public GalaxyWindowTest {
protected:
    void SetUp() override {
        OpenMap(kMap);
        sector = Loaded(1);
        panel.Init();
        panel.resize(500, 400);
        panel.show();
    }
    void Show(const Ptr& object) { panel.ShowObject(&document, object); }
    // Clicks the row, as the mouse does.
    void SelectRow(const QString& caption) {
        const auto rows = panel.PropView->findItems(caption, Qt::MatchExactly);
        ASSERT_FALSE(rows.isEmpty()) << Text(caption);
        panel.PropView->scrollToItem(rows.front());
        QTest::mouseClick(panel.PropView->viewport(), Qt::LeftButton, Qt::NoModifier,
                          panel.PropView->visualItemRect(rows.front()).center());
        ASSERT_TRUE(rows.front()->isSelected());
    }
    void UseTFiles() {
        testsupport::writeFile(testsupport::dataDir() / "types" / "TDocks.txt",
                               "1;1;\n0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;SS_DOCK_A;\n");
        testsupport::writeFile(testsupport::dataDir() / "types" / "TRockets.txt",
                               "1;1;\n0;0;0;0;0;0;0;0;0;0;SS_MISSILE_A;\n");
        UseDataFolder();
    }

    ucGalObject panel;
    Ptr sector;
};

TEST_F(ucGalObjectTest, RowsOfAShipAndASector) {
    Show(Child(sector, 1));
    EXPECT_EQ(Text(panel.MainTab->tabText(1)), "Ship info");
    EXPECT_EQ(Rows(panel.PropView),
              (Strings{"Type=Ship", "Subtype=[object t=7 s=0]", "Rotation - alpha=0x0A",
                       "X=100.000 m", "Y=2.000 km", "Z=1.852 km"}));
    panel.rbDistUnits[2]->click();
    EXPECT_EQ(Rows(panel.PropView).back(), "Z=1.000 nm");
    panel.rbDistUnits[1]->click();
    EXPECT_EQ(Rows(panel.PropView).back(), "Z=411144");
    EXPECT_EQ(Rows(panel.RawView).front(), "t=7");

    Show(sector);
    EXPECT_EQ(Rows(panel.PropView), (Strings{"Type=Sector", "Subtype=0", "Color=RGB FF 80 0",
                                             "Sector - string ID=1020101", "X=0", "Y=0"}));
    panel.rbHexa[1]->click();
    EXPECT_EQ(Rows(panel.PropView)[2], "Color=RGB 255 128 0");
    Show(nullptr);
    EXPECT_TRUE(Rows(panel.PropView).empty());
    EXPECT_EQ(Text(panel.MainTab->tabText(1)), "Object info");
}

TEST_F(ucGalObjectTest, GateRows) {
    Show(Child(sector, 2));
    EXPECT_EQ(Rows(panel.PropView),
              (Strings{"Type=Gate", "Subtype=[object t=18 s=0]", "Gate - ID=1B",
                       "Gate - target sector=[string 7:1020101]", "Gate - target sector X=0",
                       "Gate - target sector Y=0", "Gate - target gate ID=N/A"}));
}

TEST_F(ucGalObjectTest, EditingGoesThroughTheDocument) {
    const Ptr ship = Child(sector, 1);
    Show(ship);
    QSignalSpy changed(&panel, &ucGalObject::OnObjectChanged);
    SelectRow("X");
    platform::ScriptedDialogs dialogs;
    dialogs.answerAs<frmGalEdit>([](frmGalEdit& dialog) {
        dialog.ValEdit->setText("2.000");
        dialog.btnOK->click();
    });
    panel.EditProperty();
    EXPECT_EQ(ship->x(), 444);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(Rows(panel.PropView)[3], "X=2.000 m");

    // Cancel changes nothing and tells nobody.
    dialogs.answerAs<frmGalEdit>([](frmGalEdit& dialog) { dialog.btnCancel->click(); });
    panel.EditProperty();
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(ucGalObjectTest, ValueEditTakesTheTypedValueInItsValueBox) {
    const Ptr ship = Child(sector, 1);
    Show(ship);
    SelectRow("X");
    platform::ScriptedDialogs dialogs;
    dialogs.answerAs<frmGalEdit>([](frmGalEdit& dialog) {
        // The keys go where the window, once active, puts them.
        QApplication::setActiveWindow(&dialog);
        QWidget* keys = QApplication::focusWidget();
        ASSERT_EQ(keys, dialog.ValEdit);
        QTest::keyClicks(keys, "2.000");
        QTest::keyClick(keys, Qt::Key_Return);
    });
    QTest::keyClick(panel.PropView, Qt::Key_Return);
    EXPECT_EQ(dialogs.shown(), QStringList{"frmGalEdit"});
    EXPECT_EQ(ship->x(), 444);
    EXPECT_EQ(Rows(panel.PropView)[3], "X=2.000 m");
    ASSERT_TRUE(document.Save(PathOf("saved.xml"), 1)) << Text(document.LastError());
    EXPECT_NE(testsupport::readFile(testsupport::dataDir() / "saved.xml").find(R"(x="444")"),
              std::string::npos);
}

TEST_F(ucGalObjectTest, DeletingAndTheSectorsType) {
    Show(sector);
    SelectRow("Type");
    panel.EditProperty();
    prompts.answer(platform::PromptAnswer::No);
    SelectRow("Color");
    panel.DeleteProperty();
    EXPECT_NE(sector->Property("color"), nullptr);
    prompts.answer(platform::PromptAnswer::Yes);
    panel.DeleteProperty();
    EXPECT_EQ(sector->Property("color"), nullptr);
    SelectRow("X");
    prompts.answer(platform::PromptAnswer::Yes);
    panel.DeleteProperty();
    EXPECT_EQ(Messages(), (Strings{"You cannot change type of object \"sector\".",
                                   "Do you really want to delete property \"Color\" ?",
                                   "Do you really want to delete property \"Color\" ?",
                                   "Do you really want to delete property \"X\" ?",
                                   "The type and the cell of a sector cannot be removed."}));
    EXPECT_NE(sector->Property("x"), nullptr);
}

TEST_F(ucGalObjectTest, CoordinatesAndTheMenu) {
    const Ptr dock = Child(sector, 3);
    dock->AddProperty("y", 5);
    Show(dock);
    panel.UpdateMenu();
    EXPECT_TRUE(panel.mnuPropAddCoords->isEnabled());
    EXPECT_TRUE(panel.mnuPropRemoveCoords->isEnabled());
    panel.AddCoordinates();
    std::string names;
    for (const auto& property : dock->NewEnum())
        Append(names, Text(property->Name));
    EXPECT_EQ(names, "t s y x z");
    panel.UpdateMenu();
    EXPECT_FALSE(panel.mnuPropAddCoords->isEnabled());
    prompts.answer(platform::PromptAnswer::Yes);
    panel.RemoveCoordinates();
    EXPECT_EQ(dock->PropertyCount(), 2);
    panel.UpdateMenu();
    EXPECT_FALSE(panel.mnuPropRemoveCoords->isEnabled());

    Show(nullptr);
    panel.UpdateMenu();
    EXPECT_FALSE(panel.mnuPropAdd->isEnabled());
    EXPECT_FALSE(panel.mnuPropAddCoords->isEnabled());
    EXPECT_FALSE(panel.mnuPropEdit->isEnabled());
}

TEST_F(ucGalObjectTest, CopyingAValueText) {
    Show(Child(sector, 1));
    QGuiApplication::clipboard()->setText("before");
    panel.PropView->clearSelection();
    panel.CopyValue();
    EXPECT_EQ(Text(QGuiApplication::clipboard()->text()), "before");
    SelectRow("X");
    panel.CopyValue();
    EXPECT_EQ(Text(QGuiApplication::clipboard()->text()), "100.000 m");
}

TEST_F(ucGalObjectTest, RecordTabShowsTheLineReadOnly) {
    UseTFiles();
    const Ptr dock = Child(sector, 3);
    Show(dock);
    ASSERT_NE(panel.RecordPanel(), nullptr);
    EXPECT_EQ(Text(panel.MainTab->tabText(2)), "SS_DOCK_A");
    const auto record = Archive().GetFile("TDocks")->FindIndex(0);
    const int32_t kind = record->otype;
    Show(Child(sector, 4));
    EXPECT_EQ(Text(panel.MainTab->tabText(2)), "SS_MISSILE_A");
    Show(Child(sector, 5));
    EXPECT_EQ(panel.RecordPanel(), nullptr);
    // The shared record keeps its own kind.
    EXPECT_EQ(record->otype, kind);
}

// Every column of every row, a line per row.
std::string AllTexts(const QTreeWidget* list) {
    return Text(shipwidgettest::Rows(list).join('\n'));
}

// The ship and turret-type panels in the claim order, as the program has them.
struct ShipPanelsRegistered {
    ShipPanelsRegistered() { ShipPanels::Register(); }
    ~ShipPanelsRegistered() {
        PanelClaims::Register(PanelClaims::Slot::Ship, nullptr);
        PanelClaims::Register(PanelClaims::Slot::Turret, nullptr);
    }
};

TEST_F(ucGalObjectTest, AShipsRecordShowsAsTheDivAvuruzShowsItAndStaysUntouched) {
    const ShipPanelsRegistered registered;
    const auto ships = testsupport::dataDir() / "types" / "TShips.txt";
    const std::string line = shiptest::Head({{5, 3}, {8, 111}}) + "0;0;11;12;13;14;3;SS_SH_A;";
    testsupport::writeFile(ships, tfiletest::TFile({line}));
    UseDataFolder();
    ucGalObject shipPanel;
    shipPanel.Init();
    shipPanel.resize(600, 500);
    shipPanel.show();
    shipPanel.ShowObject(&document, Child(sector, 1));
    QTabBar* tabs = shipPanel.MainTab->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(2).center());
    ASSERT_EQ(shipPanel.MainTab->currentIndex(), 2);
    EXPECT_EQ(Text(shipPanel.MainTab->tabText(2)), "SS_SH_A");
    auto* shown = qobject_cast<ucShip*>(shipPanel.RecordPanel());
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(shown->isVisible());

    // The DIV Avuruz's ship panel on the same file.
    TFileDocument file;
    QString error;
    ASSERT_EQ(file.Open(QString::fromStdString(ships.string()), error),
              TFileDocument::OpenResult::Loaded);
    file.SetKind(1);
    ucShip editor;
    ASSERT_TRUE(editor.Init(file));
    editor.ShowObject(file.Parser().FindIndex(0), 1);
    ASSERT_GT(editor.GlobalView()->topLevelItemCount(), 20);
    EXPECT_EQ(AllTexts(shown->GlobalView()), AllTexts(editor.GlobalView()));
    EXPECT_EQ(AllTexts(shown->MoreView()), AllTexts(editor.MoreView()));
    EXPECT_TRUE(StartsWith(AllTexts(shown->GlobalView()), "ID | SS_SH_A | \nClass | M1 (3) | 5"));

    // Read-only: a double click edits nothing, no command is offered.
    platform::ScriptedDialogs dialogs;
    QTreeWidget* values = shown->GlobalView();
    QTest::mouseDClick(values->viewport(), Qt::LeftButton, Qt::NoModifier,
                       values->visualItemRect(values->topLevelItem(1)).center());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    QTabBar* shipTabs = shown->MainTab()->tabBar();
    QTest::mouseClick(shipTabs, Qt::LeftButton, Qt::NoModifier,
                      shipTabs->tabRect(ucShip::kTurrets).center());
    const auto actions = shown->MainToolbar()->actions();
    ASSERT_FALSE(actions.isEmpty());
    for (const QAction* action : actions)
        EXPECT_FALSE(action->isEnabled()) << Text(action->objectName());
    EXPECT_FALSE(shown->Lasers()->btnAddLaser()->isEnabled());
    EXPECT_EQ(shiptest::Line(*Archive().GetFile("TShips")->FindIndex(0)), line);
    EXPECT_FALSE(Archive().GetFile("TShips")->FindIndex(0)->Dirty());
}

TEST_F(ucGalObjectTest, DisplayOptionsAreKept) {
    panel.rbName[1]->click();
    panel.rbDistUnits[2]->click();
    panel.rbHexa[1]->click();
    panel.Term();
    ucGalObject next;
    next.Init();
    EXPECT_TRUE(next.rbName[1]->isChecked());
    EXPECT_TRUE(next.rbDistUnits[2]->isChecked());
    EXPECT_TRUE(next.rbHexa[1]->isChecked());
    next.ShowObject(&document, Child(sector, 1));
    EXPECT_EQ(Rows(next.PropView).back(), "Z=1.000 nm");
}

} // namespace
