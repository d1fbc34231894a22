#include "ShipWidgetTestSupport.h"

#include "support/ClickRows.h"

#include "platform/BoundedArrayLookups.h"
#include "ships/clsShip.h"
#include "ships/clsTurret.h"
#include "ships/widgets/LaserPage.h"
#include "ships/widgets/ValueBoxes.h"
#include "ships/widgets/frmGunEdit.h"
#include "ships/widgets/frmTurretEdit.h"
#include "ships/widgets/ucShip.h"
#include "tfiles/widgets/frmEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

using namespace shipwidgettest;
using platform::PromptAnswer;
using platform::PromptIcon;
using shiptest::Head;

// A ship line of 55 values: no sections, the given fixed fields.
std::string Ship(const std::string& name, std::initializer_list<std::pair<int, int>> changed = {}) {
    return Head(changed) + "0;0;11;12;13;14;3;" + name + ";";
}

class ShipPanel : public testing::Test {
protected:
    ShipPanel() { WriteGameData(); }
    ~ShipPanel() override { ForgetGameData(); }

    void Open(const std::vector<std::string>& lines) {
        tfilewidgettest::OpenWithPanel(document, panel, "TShips", lines, kind);
        QObject::connect(&panel, &ucShip::OnShipChanged, [this] { ++changes; });
        QObject::connect(&document, &TFileDocument::ObjectChanged, [this] { ++documentChanges; });
    }

    EditingPanel::Record Show(int line) {
        EditingPanel::Record record = document.Parser().FindIndex(line);
        panel.ShowObject(record, kind);
        return record;
    }

    std::string Line() const { return shiptest::Line(*panel.CurrentShip()); }

    // A turret through "Turret Edit": body and path, then type and position
    // when the section has them.
    void AnswerTurret(const QString& body, const QString& path, const QString& type = {},
                      const QString& position = {}) {
        script.dialogs.answerAs<frmTurretEdit>([=](frmTurretEdit& dialog) {
            dialog.findChild<QLineEdit*>("ValEdit2")->setText(body);
            dialog.findChild<QLineEdit*>("ValEdit3")->setText(path);
            if (dialog.cmbTType()->isEnabled()) {
                dialog.cmbTType()->setCurrentIndex(dialog.cmbTType()->findText(type));
                dialog.cmbPosition()->setEditText(position);
            }
            dialog.findChild<QPushButton*>("btnOK")->click();
        });
    }

    void AnswerGun(const QStringList& values) {
        script.dialogs.answerAs<frmGunEdit>([=](frmGunEdit& dialog) {
            for (int box = 1; box <= values.size(); ++box)
                dialog.findChild<QLineEdit*>(QStringLiteral("ValEdit%1").arg(box))
                    ->setText(values[box - 1]);
            dialog.findChild<QPushButton*>("btnOK")->click();
        });
    }

    tfilewidgettest::Scripted script;
    TFileDocument document;
    ucShip panel;
    int32_t kind = 0;
    int changes = 0;
    // The editor follows the document alone, so every change must reach it.
    int documentChanges = 0;
};

TEST_F(ShipPanel, InfoAndMoreInfoShowTranslatedValuesInTheirOrder) {
    Open({Ship("SS_FIRST"), Ship("SS_FALCON", {{2, 1},
                                               {5, 3},
                                               {6, 100},
                                               {7, 999},
                                               {8, 111},
                                               {13, 12},
                                               {24, 10},
                                               {40, -3},
                                               {41, 3},
                                               {42, 1}})});
    document.Parser().FindIndex(1)->SetValue(2, 0.5);
    document.Parser().FindIndex(1)->SetValue(13, 12.5);
    Show(1);
    const QStringList info = Rows(panel.GlobalView());
    ASSERT_EQ(info.size(), 1 + 10 + 1 + 15);
    EXPECT_EQ(info[0], "ID | SS_FALCON | ");
    EXPECT_EQ(info[1], "Class | M1 (3) | 5");
    EXPECT_EQ(info[3], "Acceleration | 0.500 m/s (111) | 8");
    EXPECT_EQ(info[4], "Speed | 4.50 - 09.00 m/s (999) | 7");
    EXPECT_EQ(info[5], "Turn | 30.0 rot/min (0.5) | 2");
    EXPECT_EQ(info[8], "Power | 12.5 MW (12.5) | 13");
    EXPECT_EQ(info[10], "Turret count | 0 | 47");
    EXPECT_EQ(info[11], "Gun groups count | 0 | 48");
    EXPECT_EQ(info[15], "Cargo type | large (3) | 41");
    EXPECT_EQ(info[16], "Docking slots | 3 external (-3) | 40");
    EXPECT_EQ(info[17], "Shield type | 1 MW (0) | 20");
    EXPECT_EQ(info[26], "Price | 12 | 50");

    const QStringList more = Rows(panel.MoreView());
    EXPECT_EQ(more[0], "Name | Falcon | ");
    EXPECT_EQ(more[1], "Script ID | 458753 | ");
    EXPECT_EQ(more[2], "Body ID | 0 | 0");
    EXPECT_EQ(more.last(), "Ware class | large (3) | 53");
    EXPECT_TRUE(panel.DescEdit()->toPlainText().startsWith("Description: A fast"));

    const clsTXTObject& falcon = *document.Parser().FindIndex(1);
    EXPECT_EQ(panel.GetResourceName(falcon), "Falcon");
    EXPECT_EQ(panel.GetClass(falcon), "M1");
    EXPECT_EQ(panel.GetRace(falcon), mdlCommon::GetArrayString(mdlZorvConst::RaceNames, 1));
    EXPECT_EQ(panel.ZorvQueryInfo(kind) & EditingPanel::kClassColumnBit,
              EditingPanel::kClassColumnBit);

    panel.ShowObject(nullptr, kind);
    EXPECT_TRUE(Rows(panel.GlobalView()).isEmpty());
    EXPECT_TRUE(panel.Lasers()->LaserView()->topLevelItemCount() == 0);
}

TEST_F(ShipPanel, NewTurretsAndAFrontGunGiveExactlyTheLineTheLayoutImplies) {
    Open({});
    const auto record = panel.CreateObject(kind, document, nullptr);
    ASSERT_TRUE(record);
    QString error;
    ASSERT_TRUE(document.SetObjectName(record, "SS_NEW", error));
    panel.ShowObject(record, kind);
    panel.MainTab()->setCurrentIndex(ucShip::kTurrets);

    // The first section is the front gun: the dialog says it takes no type.
    script.dialogs.answerAs<frmTurretEdit>([](frmTurretEdit& dialog) {
        EXPECT_TRUE(dialog.lblFrontGun()->isVisibleTo(&dialog));
        EXPECT_FALSE(dialog.cmbTType()->isEnabled());
        EXPECT_FALSE(dialog.cmbPosition()->isEnabled());
        dialog.findChild<QLineEdit*>("ValEdit2")->setText("5");
        dialog.findChild<QLineEdit*>("ValEdit3")->setText("6");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    panel.AddTurret();
    AnswerTurret("7", "8", "CP_A", "rear");
    panel.AddTurret();
    EXPECT_EQ(changes, 2);

    panel.MainTab()->setCurrentIndex(ucShip::kGuns);
    SelectRow(panel.GunGroupView(), 0);
    AnswerGun({"2.7", "-2.5", "3", "4", "5"});
    panel.AddGun();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(documentChanges, 1 + 3) << "the name, then each section";
    EXPECT_EQ(script.dialogs.shown(),
              (QStringList{"frmTurretEdit", "frmTurretEdit", "frmGunEdit"}));
    EXPECT_TRUE(script.messages().isEmpty()) << script.messages().join("\n").toStdString();

    std::string fixed;
    for (int field = 0; field < 47; ++field)
        fixed += field == 19 ? "2;" : field == 28 ? "1;" : field == 29 ? "2;" : "0;";
    EXPECT_EQ(Line(), fixed + "2;" + "1;0;5;6;" + "2;1;7;8;" + "2;" + "1;2;1;1;" + "1;2;-3;3;4;5;" +
                          "3;0;2;0;" + "0;0;0;0;0;SS_NEW;");
    EXPECT_EQ(Rows(panel.GunView()), QStringList{"1 | 61 | 1 | 2 | -3 | 3 | 4 | 5"});
    EXPECT_EQ(Rows(panel.TurView()).value(1), "2 | 52 | 2 | 1 | 7 | 8 | 1 | rear (2)");
    EXPECT_EQ(Rows(panel.CockpView()), QStringList{"1 | 1 | CP_A"});
}

TEST_F(ShipPanel, OnlyTheLastTurretAndTheLastGunAreRemovedAfterTheQuestion) {
    Open({Ship("SS_ARMED")});
    const auto record = Show(0);
    const auto ship = panel.CurrentShip();
    for (int section = 0; section < 3; ++section)
        ship->MakeNewTurret();
    panel.ShowObject(record, kind);
    SelectRow(panel.GunGroupView(), 1);
    AnswerGun({"1", "0", "0", "0", "0"});
    panel.AddGun();
    AnswerGun({"1", "0", "0", "0", "0"});
    panel.AddGun();
    changes = 0;
    documentChanges = 0;
    const std::string before = Line();

    SelectRow(panel.TurView(), 1);
    panel.RemoveSelectedTurret();
    SelectRow(panel.GunView(), 0);
    panel.RemoveSelectedGun();
    EXPECT_EQ(script.messages(), (QStringList{"You can only delete the last turret in the list.",
                                              "You can only delete the last gun in the list."}));
    EXPECT_EQ(Line(), before);

    script.prompts.answer(PromptAnswer::No);
    SelectRow(panel.TurView(), 2);
    panel.RemoveSelectedTurret();
    EXPECT_EQ(script.messages().last(),
              "Do you really want to delete the turret idx=3 (position=0) ?");
    EXPECT_EQ(Line(), before);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(documentChanges, 0);

    script.prompts.answer(PromptAnswer::Yes);
    SelectRow(panel.GunView(), 1);
    panel.RemoveSelectedGun();
    EXPECT_EQ(script.messages().last(), "Do you really want to delete the gun idx=2?");
    EXPECT_EQ(panel.GunView()->topLevelItemCount(), 1);
    script.prompts.answer(PromptAnswer::Yes);
    SelectRow(panel.TurView(), 2);
    panel.RemoveSelectedTurret();
    EXPECT_EQ(panel.CurrentShip()->TurretCount(), 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(documentChanges, 2);
    EXPECT_TRUE(panel.CurrentShip()->Validate())
        << panel.CurrentShip()->GetLastError().toStdString();
}

TEST_F(ShipPanel, SevenSectionsAreTheLimitAndAGunNeedsATurret) {
    Open({Ship("SS_FULL")});
    const auto record = Show(0);
    panel.AddGun();
    EXPECT_EQ(script.messages(), QStringList{"There are no turrets on this ship. You must first "
                                             "create a turret with Add Turret button."});
    for (int section = 0; section < clsShip::kMaxSections; ++section)
        panel.CurrentShip()->MakeNewTurret();
    panel.ShowObject(record, kind);
    panel.AddTurret();
    EXPECT_EQ(script.messages().last(), "Maximum number of turrets is 6 (+ front gun)");
    EXPECT_TRUE(script.dialogs.shown().isEmpty());
    EXPECT_EQ(changes, 0);
}

TEST_F(ShipPanel, CountsAskFirstAndNoChangesNothing) {
    Open({Ship("SS_COUNTS")});
    Show(0);
    SelectCaption(panel.GlobalView(), "Turret count");
    script.prompts.answer(PromptAnswer::No);
    panel.EditProperty(panel.GlobalView());
    ASSERT_EQ(script.prompts.messages().size(), 1u);
    const auto warning = script.prompts.messages().front();
    EXPECT_EQ(warning.text, "Warning:\nManualy modifying this value can corrupt ship data.\n"
                            "This value is altered automatically by the editor.\n\n"
                            "Do you really want to modify it?");
    EXPECT_EQ(warning.icon, PromptIcon::Exclamation);
    EXPECT_TRUE(script.dialogs.shown().isEmpty());
    EXPECT_EQ(changes, 0);

    // Yes opens "Value Edit"; closing it by its title bar changes nothing.
    SelectCaption(panel.GlobalView(), "Gun groups count");
    script.prompts.answer(PromptAnswer::Yes);
    panel.EditProperty(panel.GlobalView());
    EXPECT_EQ(script.dialogs.shown(), QStringList{"frmEdit"});
    EXPECT_EQ(changes, 0);
}

TEST_F(ShipPanel, CargoLimitsFollowEachOtherOnlyAfterOK) {
    Open({Ship("SS_CARGO", {{26, 10}, {27, 20}})});
    const auto record = Show(0);
    SelectCaption(panel.GlobalView(), "Cargo max");
    script.dialogs.answerAs<frmEdit>([](frmEdit& dialog) {
        dialog.cmbValue()->setEditText("5");
        dialog.btnOK()->click();
    });
    panel.EditProperty(panel.GlobalView());
    EXPECT_EQ(tfiles::ValueText(record->Value(26)), "5");
    EXPECT_EQ(script.messages(),
              QStringList{"Cargo min (buy) was modified to be equal to new Cargo max value."});
    EXPECT_EQ(changes, 1);

    SelectCaption(panel.GlobalView(), "Cargo min (buy)");
    script.dialogs.answerAs<frmEdit>([](frmEdit& dialog) {
        dialog.cmbValue()->setEditText("30");
        dialog.btnOK()->click();
    });
    panel.EditProperty(panel.GlobalView());
    EXPECT_EQ(tfiles::ValueText(record->Value(27)), "30");
    EXPECT_EQ(script.messages().last(),
              "Cargo max was modified to be equal to new Cargo min (buy) value.");

    // A pair already out of order is left alone when the dialog is closed.
    record->SetValue(26, 50);
    panel.EditProperty(panel.GlobalView());
    EXPECT_EQ(tfiles::ValueText(record->Value(27)), "30");
    EXPECT_EQ(changes, 2);
}

TEST_F(ShipPanel, TurretDialogRefusesClashesUnknownTypesAndPositionsOutOfRange) {
    Open({Ship("SS_CLASH")});
    const auto record = Show(0);
    const auto ship = panel.CurrentShip();
    ship->MakeNewTurret();
    for (int position : {2, 3, 3}) {
        const auto turret = ship->MakeNewTurret();
        turret->SetDescriptorValue(1, position);
    }
    panel.ShowObject(record, kind);
    const std::string before = Line();

    script.dialogs.answerAs<frmTurretEdit>([](frmTurretEdit& dialog) {
        dialog.findChild<QLineEdit*>("ValEdit2")->setText("1");
        dialog.findChild<QLineEdit*>("ValEdit3")->setText("1");
        dialog.cmbTType()->setCurrentIndex(0);
        for (const char* position : {"rear", "9"}) {
            dialog.cmbPosition()->setEditText(position);
            dialog.findChild<QPushButton*>("btnOK")->click();
        }
        dialog.cmbPosition()->setEditText("top");
        dialog.cmbTType()->setEditText("Nope");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    panel.AddTurret();
    const auto asked = script.prompts.messages();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].text, "There already is gun turret with this position.");
    EXPECT_EQ(asked[0].icon, PromptIcon::None);
    EXPECT_EQ(asked[1].text,
              "The position must be one of the listed positions or a number from 1 to 6.");
    EXPECT_EQ(asked[2].text, "Unknown turret type. Choose one from the list or enter its line "
                             "number in the turret type table.");
    EXPECT_EQ(Line(), before);
    EXPECT_EQ(changes, 0);

    // Moving the turret on position 2 to 3 clashes with two turrets.
    SelectRow(panel.TurView(), 1);
    script.dialogs.answerAs<frmTurretEdit>([](frmTurretEdit& dialog) {
        EXPECT_EQ(dialog.cmbPosition()->currentText(), "rear");
        dialog.cmbPosition()->setEditText("3");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    panel.EditTurret();
    const auto clashes = script.prompts.messages();
    ASSERT_EQ(clashes.size(), 5u);
    for (std::size_t box : {3u, 4u}) {
        EXPECT_EQ(clashes[box].text, "There already is gun turret on this position.");
        EXPECT_EQ(clashes[box].icon, PromptIcon::Exclamation);
    }
    EXPECT_EQ(Line(), before);

    // Keeping its own position passes; a typed number is stored as it is.
    script.dialogs.answerAs<frmTurretEdit>([](frmTurretEdit& dialog) {
        dialog.cmbTType()->setEditText("4");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    panel.EditTurret();
    EXPECT_EQ(ship->Turrets().at(2)->DescriptorValue(0), 4);
    EXPECT_EQ(ship->Turrets().at(2)->DescriptorValue(1), 2);
    EXPECT_EQ(changes, 1);
}

TEST_F(ShipPanel, GunDialogChecksEveryBoxBeforeTheGunExists) {
    Open({Ship("SS_GUNS")});
    const auto record = Show(0);
    panel.CurrentShip()->MakeNewTurret();
    panel.ShowObject(record, kind);
    SelectRow(panel.GunGroupView(), 0);
    const std::string before = Line();
    for (const QStringList& values :
         {QStringList{"", "0", "0", "0", "0"}, QStringList{"1", "0", "0", "3000000000", "0"}}) {
        AnswerGun(values);
        panel.AddGun();
    }
    EXPECT_EQ(script.messages(),
              (QStringList(2, "Entered value is incorrect. It must be whole or decimal number.")));
    EXPECT_EQ(Line(), before);
    EXPECT_EQ(changes, 0);
}

TEST_F(ShipPanel, LasersMoveBetweenTheListsByTheirBit) {
    Open({Ship("SS_LASERS", {{18, 5}})});
    const auto record = Show(0);
    EXPECT_EQ(Rows(panel.Lasers()->LaserView()), (QStringList{"0 | Pulse", "2 | SS_LASER_X"}));
    EXPECT_EQ(Rows(panel.Lasers()->AvailView()), QStringList{"1 | Beam"});

    SelectRow(panel.Lasers()->AvailView(), 0);
    panel.Lasers()->btnAddLaser()->click();
    EXPECT_EQ(tfiles::ValueText(record->Value(18)), "7");
    EXPECT_EQ(panel.Lasers()->AvailView()->topLevelItemCount(), 0);
    EXPECT_EQ(changes, 1);

    SelectRow(panel.Lasers()->LaserView(), 0);
    panel.RemoveCompatibleLaser();
    EXPECT_EQ(tfiles::ValueText(record->Value(18)), "6");

    panel.CurrentShip()->MakeNewTurret();
    panel.ShowObject(record, kind);
    panel.SetReadOnly(true);
    SelectRow(panel.Lasers()->LaserView(), 0);
    panel.RemoveCompatibleLaser();
    SelectCaption(panel.GlobalView(), "Speed");
    panel.EditProperty(panel.GlobalView());
    SelectRow(panel.TurView(), 0);
    panel.EditTurret();
    EXPECT_EQ(tfiles::ValueText(record->Value(18)), "6");
    EXPECT_FALSE(panel.Lasers()->btnAddLaser()->isEnabled());
    EXPECT_TRUE(script.dialogs.shown().isEmpty());
    EXPECT_EQ(changes, 2);
}

TEST_F(ShipPanel, CorruptedShipsAreReportedAndNotEditedFurther) {
    const std::string broken = Head({{19, 4}}) + "0;0;9;11;12;13;14;3;SS_BROKEN;";
    Open({Ship("SS_SOUND"), broken});
    QString report;
    EXPECT_FALSE(panel.Validate(report));
    EXPECT_TRUE(
        report.startsWith("Data in file " + document.FileName() +
                          " are probably corrupted.\n\nShip index 1, name \"SS_BROKEN\":\n"))
        << report.toStdString();

    Show(1);
    const std::string before = Line();
    panel.AddTurret();
    EXPECT_EQ(script.messages().size(), 1);
    EXPECT_TRUE(script.messages().first().contains("should be 55 and it is 56"));
    EXPECT_EQ(Line(), before);
    EXPECT_TRUE(script.dialogs.shown().isEmpty());
}

TEST_F(ShipPanel, TypeZeroIsTheFirstTurretTypeAndIsListed) {
    Open({Ship("SS_TYPES")});
    const auto record = Show(0);
    for (int section = 0; section < 3; ++section)
        panel.CurrentShip()->MakeNewTurret();
    record->SetValue(30, 7);
    panel.ShowObject(record, kind);
    EXPECT_EQ(Rows(panel.CockpView()), (QStringList{"1 | 0 | CP_B", "2 |  | [cockpit not found]"}));
    EXPECT_EQ(panel.lblTData()->text(), "Turrets descriptor: 0;0;7;0;0;0;0;0;0;0;0;0;");
}

TEST_F(ShipPanel, ToolbarFollowsTheTabAndTheShip) {
    Open({Ship("SS_BAR")});
    const auto names = [this] {
        QStringList keys;
        for (QAction* action : panel.MainToolbar()->actions())
            keys << action->objectName() + (action->isEnabled() ? "" : "-off");
        return keys;
    };
    EXPECT_EQ(names(), (QStringList{"showbody", "showmodel", "showcockpit"}));
    panel.MainTab()->setCurrentIndex(ucShip::kTurrets);
    EXPECT_EQ(names(), (QStringList{"newturret-off", "delturret-off"}));
    Show(0);
    EXPECT_EQ(names(), (QStringList{"newturret", "delturret"}));
    panel.MainTab()->setCurrentIndex(ucShip::kGuns);
    EXPECT_EQ(names(), (QStringList{"newgun", "delgun"}));
    panel.MainTab()->setCurrentIndex(ucShip::kFrontLasers);
    EXPECT_TRUE(names().isEmpty());
}

TEST_F(ShipPanel, CommandsActOnTheClickedRowAndOnNoneBesideTheRows) {
    using testsupport::ClickBesideRows;
    using testsupport::ClickRow;
    Open({Ship("SS_ARMED", {{18, 1}})});
    const auto record = Show(0);
    for (int section = 0; section < 3; ++section)
        panel.CurrentShip()->MakeNewTurret();
    panel.ShowObject(record, kind);
    panel.resize(700, 560);
    panel.show();
    const auto tab = [this](int index) {
        QTabBar* tabs = panel.MainTab()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    };
    const auto press = [this](const QString& key) {
        for (QAction* action : panel.MainToolbar()->actions())
            if (action->objectName() == key)
                return QTest::mouseClick(panel.MainToolbar()->widgetForAction(action),
                                         Qt::LeftButton);
        ADD_FAILURE() << key.toStdString();
    };
    const auto asked = [this] { return script.messages().size(); };

    // Guns go to the gun group clicked; a gun is removed when it is the one clicked.
    tab(ucShip::kGuns);
    ClickRow(panel.GunGroupView(), panel.GunGroupView()->topLevelItem(1));
    for (int gun = 0; gun < 2; ++gun) {
        AnswerGun({"1", "0", "0", "0", "0"});
        press("newgun");
    }
    ASSERT_EQ(panel.GunView()->topLevelItemCount(), 2);
    ClickRow(panel.GunView(), panel.GunView()->topLevelItem(0));
    press("delgun");
    EXPECT_EQ(script.messages().last(), "You can only delete the last gun in the list.");
    script.prompts.answer(PromptAnswer::No);
    ClickRow(panel.GunView(), panel.GunView()->topLevelItem(1));
    press("delgun");
    EXPECT_EQ(script.messages().last(), "Do you really want to delete the gun idx=2?");

    // Beside the rows nothing is chosen, and no command acts.
    const auto before = asked();
    ClickBesideRows(panel.GunView());
    press("delgun");
    testsupport::PressKey(panel.GunView(), Qt::Key_Return);
    ClickBesideRows(panel.GunGroupView());
    EXPECT_EQ(panel.GunView()->topLevelItemCount(), 0);
    press("newgun");
    tab(ucShip::kTurrets);
    ClickRow(panel.TurView(), panel.TurView()->topLevelItem(0));
    ClickBesideRows(panel.TurView());
    press("delturret");
    testsupport::PressKey(panel.TurView(), Qt::Key_Return);
    EXPECT_EQ(asked(), before) << script.messages().join("\n").toStdString();

    tab(ucShip::kFrontLasers);
    QTreeWidget* available = panel.Lasers()->AvailView();
    ClickRow(available, available->topLevelItem(1));
    panel.Lasers()->btnAddLaser()->click();
    EXPECT_EQ(tfiles::ValueText(record->Value(18)), "5"); // laser 2 of "Pulse", "Beam", "X"
    ClickBesideRows(available);
    panel.Lasers()->btnAddLaser()->click();
    EXPECT_EQ(tfiles::ValueText(record->Value(18)), "5");

    // A value row unselected with Ctrl is not edited by Enter.
    tab(ucShip::kInfo);
    ClickRow(panel.GlobalView(), panel.GlobalView()->topLevelItem(3));
    ClickRow(panel.GlobalView(), panel.GlobalView()->model()->index(3, 0), Qt::ControlModifier);
    testsupport::PressKey(panel.GlobalView(), Qt::Key_Return);
    EXPECT_EQ(script.dialogs.shown(), (QStringList{"frmGunEdit", "frmGunEdit"}));
    EXPECT_EQ(asked(), before);
}

TEST_F(ShipPanel, TheTabsStayInPlaceWhateverTheToolbarHolds) {
    Open({Ship("SS_BAR")});
    Show(0);
    panel.resize(600, 400);
    panel.show();
    QTabBar* tabs = panel.MainTab()->tabBar();
    const auto tabsTop = [&](int tab) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        EXPECT_EQ(panel.MainTab()->currentIndex(), tab);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return tabs->mapTo(&panel, QPoint()).y();
    };
    const int top = tabsTop(ucShip::kInfo);
    for (const int tab : {ucShip::kFrontLasers, ucShip::kTurrets, ucShip::kFrontLasers,
                          ucShip::kGuns, ucShip::kMoreInfo})
        EXPECT_EQ(tabsTop(tab), top) << "tab " << tab;
}

TEST(ShipPanelClaims, TitlesCaptionsAndNewLines) {
    ucShip panel;
    int32_t kind = -1;
    EXPECT_FALSE(panel.ZorvQueryInterfaceEx("TShip", kind));
    EXPECT_EQ(kind, -1);
    EXPECT_TRUE(panel.ZorvQueryInterfaceEx("xtships", kind));
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(panel.PageName(1), "Ship info");
    EXPECT_EQ(panel.ObjectTypeName(1), "Ships");
}

} // namespace

namespace {

TEST_F(ShipPanel, UntouchedValuesSurviveOKAndTheCopyKeyTakesTheShownValue) {
    Open({Ship("SS_SPEED", {{7, 1000}, {8, 1000}})});
    const auto record = Show(0);
    for (const char* caption : {"Speed", "Acceleration"}) {
        SelectCaption(panel.GlobalView(), caption);
        script.dialogs.answerAs<frmEdit>([](frmEdit& dialog) { dialog.btnOK()->click(); });
        panel.EditProperty(panel.GlobalView());
    }
    EXPECT_EQ(tfiles::ValueText(record->Value(7)), "1000");
    EXPECT_EQ(tfiles::ValueText(record->Value(8)), "1000");

    SelectCaption(panel.GlobalView(), "Speed");
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_Insert, Qt::ControlModifier);
    QApplication::sendEvent(panel.GlobalView(), &copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "4.50 - 04.50 m/s (1000)");
}

TEST_F(ShipPanel, ShieldsAreStoredAsChosenEvenUnderOneName) {
    testsupport::writeFile(testsupport::dataDir() / "types" / "TShields.txt",
                           tfiletest::TFile({tfilewidgettest::Line(17, "SH_A", {{6, "300"}}),
                                             tfilewidgettest::Line(17, "SH_B", {{6, "300"}}),
                                             tfilewidgettest::Line(17, "SH_C", {{6, "999"}})}));
    restest::OpenDataFolder();
    CreateArchive();
    Open({Ship("SS_SHIELDED", {{20, 2}})});
    const auto record = Show(0);
    SelectCaption(panel.GlobalView(), "Shield type");
    script.dialogs.answerAs<frmEdit>([](frmEdit& dialog) {
        EXPECT_EQ(dialog.cmbValue()->currentText(), "SH_C");
        EXPECT_EQ(dialog.cmbValue()->itemText(1), "Pulse (SH_B)");
        dialog.cmbValue()->setCurrentIndex(1);
        dialog.btnOK()->click();
    });
    panel.EditProperty(panel.GlobalView());
    EXPECT_EQ(tfiles::ValueText(record->Value(20)), "1");
    script.dialogs.answerAs<frmEdit>([](frmEdit& dialog) {
        dialog.cmbValue()->setEditText("SH_C");
        dialog.btnOK()->click();
    });
    panel.EditProperty(panel.GlobalView());
    EXPECT_EQ(tfiles::ValueText(record->Value(20)), "2");
    EXPECT_EQ(changes, 2);
}

TEST_F(ShipPanel, LinesWithBrokenCountsShowWhatTheyHoldAndAreNotEdited) {
    std::vector<std::string> lines{shiptest::WithField(Ship("SS_NEGATIVE"), 47, "-1"),
                                   shiptest::WithField(Ship("SS_TEXT"), 47, "many")};
    tfilewidgettest::OpenWithPanel(document, panel, "TShips", {lines[0]}, kind);
    const auto record = Show(0);
    EXPECT_TRUE(Rows(panel.GlobalView()).contains("Gun groups count | N/A | "));
    EXPECT_TRUE(Rows(panel.CockpView()).isEmpty());
    QString report;
    EXPECT_FALSE(panel.Validate(report));
    EXPECT_TRUE(report.contains("Turret count is negative (-1).")) << report.toStdString();
    const std::string before = Line();
    panel.AddTurret();
    EXPECT_EQ(Line(), before);

    // Text where the turret count belongs: the panel either refuses the
    // file with a reason or shows the line as it is, never a wrong count.
    TFileDocument textDocument;
    ucShip textPanel;
    testsupport::writeFile(testsupport::dataDir() / "TShips2.txt", tfiletest::TFile({lines[1]}));
    QString error;
    ASSERT_EQ(textDocument.Open(tfiletest::DataPath("TShips2.txt"), error),
              TFileDocument::OpenResult::Loaded);
    if (!textPanel.Init(textDocument)) {
        EXPECT_FALSE(textPanel.GetLastError().isEmpty());
        return;
    }
    textPanel.ShowObject(textDocument.Parser().FindIndex(0), 1);
    EXPECT_TRUE(Rows(textPanel.GlobalView()).contains("Turret count | many | 47"));
}

} // namespace
