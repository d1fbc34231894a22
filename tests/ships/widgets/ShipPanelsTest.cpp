#include "ShipWidgetTestSupport.h"

#include "support/ClickRows.h"

#include "shell/widgets/frmText.h"
#include "ships/clsShip.h"
#include "ships/widgets/ShipPanels.h"
#include "ships/widgets/frmTurretEdit.h"
#include "ships/widgets/ucShip.h"
#include "ships/widgets/ucTurret.h"
#include "tfiles/widgets/frmEdit.h"
#include "tfiles/widgets/frmTXTEditor.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using namespace shipwidgettest;
using testsupport::ClickRow;

// A ship line of 55 values without sections, hull strength (43) as given.
std::string Ship(const std::string& name, int hull) {
    return shiptest::Head({{43, hull}}) + "0;0;11;12;13;14;3;" + name + ";";
}

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

// What the window shows of the selected object: the name label, the ID
// string on the raw data page and in the ship panel, and the index.
struct Shown {
    explicit Shown(const frmTXTEditor& window)
        : label(window.findChild<QLabel*>("lblObjectName")->text()),
          index(window.statusBar()->findChildren<QLabel*>().at(1)->text()) {
        const auto* raw = window.findChild<QTreeWidget*>("ObjectDataView");
        if (raw->topLevelItemCount() > 0)
            rawId = raw->topLevelItem(raw->topLevelItemCount() - 1)->text(1);
        const auto* panel = dynamic_cast<ucShip*>(window.CurrentPanel())->GlobalView();
        if (panel->topLevelItemCount() > 0)
            panelId = panel->topLevelItem(0)->text(1);
    }
    QString label, rawId, panelId, index;
};

TEST_F(DivAvuruz, AClickShowsTheClickedShipAndThePanelEditLandsOnIt) {
    frmTXTEditor window;
    Open(window, "TShips.txt", {Ship("SS_MULE", 10), Ship("SS_CITADEL", 20), Ship("SS_WASP", 30)});
    window.show();
    auto* list = window.findChild<QTreeView*>("ObjectView");
    const auto row = [list](const QString& id) {
        const QModelIndexList found = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, id, 1, Qt::MatchExactly);
        return found.value(0);
    };
    const auto expectShown = [&](const QString& id, int index) {
        const Shown shown(window);
        EXPECT_EQ(shown.label, id);
        EXPECT_EQ(shown.rawId, id);
        EXPECT_EQ(shown.panelId, id);
        EXPECT_EQ(shown.index, QStringLiteral("Selected object index: %1").arg(index));
        ASSERT_TRUE(window.SelectedObject());
        EXPECT_EQ(window.SelectedObject()->ObjectName(), id);
    };

    // The first click, with nothing selected, and the one after it.
    ClickRow(list, row("SS_CITADEL"));
    expectShown("SS_CITADEL", 1);
    ClickRow(list, row("SS_MULE"));
    expectShown("SS_MULE", 0);
    testsupport::PressKey(list, Qt::Key_Down);
    expectShown("SS_WASP", 2);
    testsupport::PressKey(list, Qt::Key_Up);
    expectShown("SS_MULE", 0);

    // An edit in the panel changes the clicked ship's line and no other.
    auto* values = dynamic_cast<ucShip*>(window.CurrentPanel())->GlobalView();
    const QList<QTreeWidgetItem*> hull = values->findItems("Hull strength", Qt::MatchExactly);
    ASSERT_EQ(hull.size(), 1);
    script.dialogs.answerAs<frmEdit>([](frmEdit& edit) {
        edit.cmbValue()->setCurrentText("777");
        edit.btnOK()->click();
    });
    testsupport::DoubleClickRow(values, hull.first());
    EXPECT_EQ(script.dialogs.shown(), QStringList{"frmEdit"});
    const QString path = tfiletest::DataPath("TShips.txt");
    script.prompts.answerFile(path, 1);
    script.prompts.answer(platform::PromptAnswer::Yes); // replace it
    ASSERT_TRUE(window.SaveFile());
    const std::string saved = testsupport::readFile(testsupport::dataDir() / "TShips.txt");
    EXPECT_NE(saved.find(shiptest::WithField(Ship("SS_MULE", 10), 43, "777")), std::string::npos)
        << saved;
    EXPECT_NE(saved.find(Ship("SS_CITADEL", 20)), std::string::npos) << saved;
    EXPECT_NE(saved.find(Ship("SS_WASP", 30)), std::string::npos) << saved;
}

TEST_F(DivAvuruz, TheListColumnsFitTheirTexts) {
    frmTXTEditor window;
    Open(window, "TShips.txt", {Ship("SS_SH_BASTION_HEAVY_CARRIER", 10), Ship("SS_SH_WASP", 20)});
    window.show();
    auto* list = window.findChild<QTreeView*>("ObjectView");
    ASSERT_EQ(list->model()->columnCount(), 2);
    // The room a row's text takes, its margins included, as the view draws it.
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const auto room = [&](const QString& text) {
        return list->fontMetrics().horizontalAdvance(text) + margin;
    };
    EXPECT_GE(list->header()->sectionSize(0), room("SS_SH_BASTION_HEAVY_CARRIER"));
    EXPECT_GE(list->header()->sectionSize(1), room(list->model()->index(0, 1).data().toString()));
    EXPECT_LE(list->header()->length(), list->viewport()->width());
}

TEST_F(DivAvuruz, AClickBesideTheRowsLeavesNothingToActOn) {
    frmTXTEditor window;
    Open(window, "TShips.txt", {Ship("SS_MULE", 10), Ship("SS_WASP", 30)});
    window.show();
    auto* list = window.findChild<QTreeView*>("ObjectView");
    ClickRow(list, list->model()->index(1, 0));
    ASSERT_EQ(Shown(window).label, "SS_WASP");
    testsupport::ClickBesideRows(list);
    const Shown shown(window);
    EXPECT_EQ(shown.label, "");
    EXPECT_EQ(shown.rawId, "");
    EXPECT_EQ(shown.panelId, "");
    EXPECT_FALSE(window.SelectedObject());
    testsupport::PressKey(list, Qt::Key_Delete);
    EXPECT_TRUE(script.prompts.messages().empty());
    EXPECT_EQ(window.Document().Parser().objects.count(), 2);

    // A raw value clicked and then unselected with Ctrl is not edited by Enter.
    ClickRow(list, list->model()->index(0, 0));
    QTabBar* tabs = window.findChild<QTabWidget*>("MainTab")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    auto* raw = window.findChild<QTreeWidget*>("ObjectDataView");
    ClickRow(raw, raw->topLevelItem(3));
    ClickRow(raw, raw->model()->index(3, 0), Qt::ControlModifier);
    ASSERT_TRUE(raw->selectedItems().isEmpty());
    testsupport::PressKey(raw, Qt::Key_Return);
    EXPECT_TRUE(script.dialogs.shown().isEmpty());
}

} // namespace
