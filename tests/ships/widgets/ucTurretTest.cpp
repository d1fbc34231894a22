#include "ShipWidgetTestSupport.h"

#include "support/ClickRows.h"

#include "ships/widgets/LaserPage.h"
#include "ships/widgets/ucTurret.h"
#include "tfiles/mdlZorvCockpits.h"
#include "tfiles/widgets/frmEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using namespace shipwidgettest;

class TurretPanel : public testing::Test {
protected:
    TurretPanel() {
        WriteGameData();
        mdlZorvCockpits::InitCockpitArrays();
    }
    ~TurretPanel() override { ForgetGameData(); }

    void Open(const std::vector<std::string>& lines) {
        tfilewidgettest::OpenWithPanel(document, panel, "TCockpits", lines, kind);
        QObject::connect(&panel, &ucTurret::OnTurretChanged, [this] { ++changes; });
    }

    EditingPanel::Record Show(int line) {
        EditingPanel::Record record = document.Parser().FindIndex(line);
        panel.ShowObject(record, kind);
        return record;
    }

    tfilewidgettest::Scripted script;
    TFileDocument document;
    ucTurret panel;
    int32_t kind = 0;
    int changes = 0;
};

TEST_F(TurretPanel, InfoRowsAndLasersByTheirBits) {
    Open({Cockpit("CP_ONE", "5"), Cockpit("CP_ALL", "4294967295")});
    const auto record = Show(0);
    EXPECT_EQ(record->otype, 9);
    EXPECT_EQ(Rows(panel.PropView()),
              (QStringList{"ID | CP_ONE | ", "Unknown value | 0 | 7", "Possible lasers | 5 | 8"}));
    EXPECT_EQ(Rows(panel.Lasers()->LaserView()), (QStringList{"0 | Pulse", "2 | SS_LASER_X"}));
    EXPECT_EQ(Rows(panel.Lasers()->AvailView()), QStringList{"1 | Beam"});

    SelectRow(panel.Lasers()->AvailView(), 0);
    panel.AddLaser();
    EXPECT_EQ(tfiles::ValueText(record->Value(8)), "7");
    EXPECT_EQ(Rows(panel.PropView()).last(), "Possible lasers | 7 | 8");
    SelectRow(panel.Lasers()->LaserView(), 0);
    panel.Lasers()->btnRemoveLaser()->click();
    EXPECT_EQ(tfiles::ValueText(record->Value(8)), "6");
    EXPECT_EQ(changes, 2);

    // Every bit set, stored unsigned: all 32 bits read, all lasers fit.
    Show(1);
    EXPECT_EQ(Rows(panel.PropView()).last(), "Possible lasers | -1 | 8");
    EXPECT_EQ(panel.Lasers()->LaserView()->topLevelItemCount(), 3);
    EXPECT_EQ(panel.Lasers()->AvailView()->topLevelItemCount(), 0);
}

TEST_F(TurretPanel, NothingShownIsNothingEdited) {
    Open({Cockpit("CP_ONE")});
    panel.ShowObject(nullptr, kind);
    EXPECT_TRUE(Rows(panel.PropView()).isEmpty());
    panel.AddLaser();
    panel.RemoveLaser();
    panel.EditSelectedRow();
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(script.dialogs.shown().isEmpty());
}

TEST_F(TurretPanel, BesideTheRowsNothingIsEditedOrMoved) {
    Open({Cockpit("CP_ONE")});
    const auto record = Show(0);
    panel.resize(600, 400);
    panel.show();
    testsupport::ClickRow(panel.PropView(), panel.PropView()->topLevelItem(1));
    testsupport::ClickBesideRows(panel.PropView());
    testsupport::PressKey(panel.PropView(), Qt::Key_Return);
    EXPECT_TRUE(script.dialogs.shown().isEmpty());

    QTabBar* tabs = panel.findChild<QTabWidget*>("MainTab")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QTreeWidget* available = panel.Lasers()->AvailView();
    testsupport::ClickRow(available, available->topLevelItem(2));
    panel.Lasers()->btnAddLaser()->click();
    EXPECT_EQ(tfiles::ValueText(record->Value(8)), "4");
    testsupport::ClickBesideRows(available);
    panel.Lasers()->btnAddLaser()->click();
    EXPECT_EQ(tfiles::ValueText(record->Value(8)), "4");
    EXPECT_EQ(changes, 1);
}

TEST_F(TurretPanel, ValuesAndNameThroughValueEdit) {
    Open({Cockpit("CP_ONE"), Cockpit("CP_TWO")});
    const auto record = Show(0);
    SelectCaption(panel.PropView(), "Unknown value");
    script.dialogs.answerAs<frmEdit>([](frmEdit& dialog) {
        EXPECT_EQ(dialog.PropNameEdit()->text(), "Unknown value (offset 7)");
        dialog.cmbValue()->setEditText("42");
        dialog.btnOK()->click();
    });
    panel.EditSelectedRow();
    EXPECT_EQ(tfiles::ValueText(record->Value(7)), "42");
    EXPECT_EQ(changes, 1);

    SelectCaption(panel.PropView(), "ID");
    script.dialogs.answerAs<frmEdit>([](frmEdit& dialog) {
        dialog.cmbValue()->setEditText("CP_NEW");
        dialog.btnOK()->click();
    });
    panel.EditSelectedRow();
    EXPECT_EQ(record->ObjectName(), "CP_NEW");
    // Closed without OK: no event.
    panel.EditSelectedRow();
    EXPECT_EQ(changes, 2);
}

TEST_F(TurretPanel, ClaimsCaptionsAndNewLines) {
    Open({Cockpit("CP_ONE")});
    int32_t claimed = -1;
    EXPECT_TRUE(panel.ZorvQueryInterfaceEx("my_tcockpits", claimed));
    EXPECT_EQ(claimed, 9);
    claimed = -1;
    EXPECT_FALSE(panel.ZorvQueryInterfaceEx("TShips", claimed));
    EXPECT_EQ(claimed, -1);
    EXPECT_EQ(panel.PageName(9), "Turret info");
    EXPECT_EQ(panel.ObjectTypeName(9), "Turrets");
    EXPECT_EQ(panel.ObjectTypeName(1), "");
    const clsTXTObject& record = *document.Parser().FindIndex(0);
    const QStringList names{
        panel.ZorvGetPropertyName(record, 0), panel.ZorvGetPropertyName(record, 4),
        panel.ZorvGetPropertyName(record, 8), panel.ZorvGetPropertyName(record, 13),
        panel.ZorvGetPropertyName(record, 14)};
    EXPECT_EQ(names, (QStringList{"Body ID", "N/A", "Possible lasers", "Ware class", "N/A"}));
    EXPECT_EQ(panel.CreateObject(1, document, nullptr), nullptr);
    const auto created = panel.CreateObject(9, document, nullptr);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->size(), 15);
}

} // namespace
