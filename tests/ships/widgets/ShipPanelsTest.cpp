#include "ShipWidgetTestSupport.h"

#include "shell/widgets/frmText.h"
#include "ships/clsShip.h"
#include "ships/widgets/ShipPanels.h"
#include "ships/widgets/frmTurretEdit.h"
#include "ships/widgets/ucShip.h"
#include "ships/widgets/ucTurret.h"
#include "tfiles/widgets/frmTXTEditor.h"

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

using namespace shipwidgettest;

class DivAvuruz : public testing::Test {
protected:
    DivAvuruz() {
        WriteGameData();
        ShipPanels::Register();
    }
    ~DivAvuruz() override {
        PanelClaims::Register(PanelClaims::Slot::Ship, nullptr);
        PanelClaims::Register(PanelClaims::Slot::Turret, nullptr);
        ForgetGameData();
    }

    void Open(frmTXTEditor& window, const std::string& name,
              const std::vector<std::string>& lines) {
        testsupport::writeFile(testsupport::dataDir() / name, tfiletest::TFile(lines));
        QString path = tfiletest::DataPath(name);
        window.OpenFile(path);
    }

    tfilewidgettest::Scripted script;
};

TEST_F(DivAvuruz, ShipsAndTurretTypesOpenInTheirPanels) {
    frmTXTEditor window;
    Open(window, "TShips.txt", {shiptest::Head({{5, 3}}) + "0;0;11;12;13;14;3;SS_ONE;"});
    auto* ships = dynamic_cast<ucShip*>(window.CurrentPanel());
    ASSERT_TRUE(ships);
    EXPECT_EQ(window.TypeId(), 1);
    const QAbstractItemModel* model = window.findChild<QTreeView*>("ObjectView")->model();
    EXPECT_EQ(model->index(0, 1).data().toString(), "M1");

    // A new turret from the panel reaches the list and the file.
    auto* list = window.findChild<QTreeView*>("ObjectView");
    list->setCurrentIndex(model->index(0, 0));
    ASSERT_EQ(ships->CurrentShip()->Object, window.SelectedObject());
    script.dialogs.answerAs<frmTurretEdit>([](frmTurretEdit& dialog) {
        dialog.findChild<QLineEdit*>("ValEdit2")->setText("1");
        dialog.findChild<QLineEdit*>("ValEdit3")->setText("2");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    ships->AddTurret();
    EXPECT_EQ(window.SelectedObject()->size(), 63);
    EXPECT_TRUE(window.Document().IsDirty());
    EXPECT_TRUE(window.windowTitle().contains('*')) << window.windowTitle().toStdString();

    script.prompts.answer(platform::PromptAnswer::No);
    Open(window, "TCockpits.txt", {Cockpit("CP_ONE")});
    EXPECT_TRUE(dynamic_cast<ucTurret*>(window.CurrentPanel()));
    EXPECT_EQ(window.TypeId(), 9);
}

TEST_F(DivAvuruz, BrokenShipLinesOpenWithTheirReport) {
    frmTXTEditor window;
    Open(window, "TShips.txt", {shiptest::Head({{19, 4}}) + "0;0;9;11;12;13;14;3;SS_BROKEN;"});
    EXPECT_TRUE(dynamic_cast<ucShip*>(window.CurrentPanel()));
    auto* report = window.findChild<frmText*>();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->windowTitle(), "Errors in file data");
    EXPECT_TRUE(report->Text().contains("Ship index 0, name \"SS_BROKEN\":\n"))
        << report->Text().toStdString();
}

} // namespace
