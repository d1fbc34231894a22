#include "tfiles/widgets/TFileWidgetTestSupport.h"

#include "support/ClickRows.h"

#include "tfiles/TxtValue.h"
#include "tfiles/clsArchive.h"
#include "tfiles/widgets/frmEdit.h"
#include "tfiles/widgets/ucWare.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using namespace tfilewidgettest;

class WarePanel : public testing::Test {
protected:
    void Open(const std::string& title, const std::vector<std::string>& lines) {
        OpenWithPanel(document, panel, title, lines, kind);
        QObject::connect(&panel, &ucWare::OnWareChanged, [this] { ++changes; });
    }

    void Show(int line) { panel.ShowObject(document.Parser().FindIndex(line), kind); }

    // Caption, value and offset column of every row.
    QStringList Rows() const {
        QStringList rows;
        QTreeWidget* list = panel.PropView();
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            rows << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
        }
        return rows;
    }

    void DoubleClickRow(const QString& caption) {
        const auto found = panel.PropView()->findItems(caption, Qt::MatchExactly, 0);
        ASSERT_FALSE(found.isEmpty()) << caption.toStdString();
        panel.PropView()->setCurrentItem(found.first());
        panel.EditSelectedRow();
    }

    Scripted script;
    TFileDocument document;
    ucWare panel;
    int32_t kind = 0;
    int changes = 0;
};

TEST_F(WarePanel, LaserRowsWithRateOfFireAndScriptID) {
    Open("TLaser", {Laser("L0"), Laser("L1", {{7, "7"}})});
    Show(1);
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 2 + 17 + 1);
    EXPECT_EQ(rows[0], "ID | L1 | ");
    EXPECT_EQ(rows[1], "Name |  | ");
    EXPECT_EQ(rows[2], "Body ID | 0 | 0");
    EXPECT_EQ(rows[2 + 7], "Rate of fire | 8571 rnd/min (7) | 7");
    EXPECT_EQ(rows[2 + 16], "Ware class | medium (2) | 16");
    EXPECT_EQ(rows.last(), "Script ID | 524289 | ");
    EXPECT_EQ(panel.DescEdit()->toPlainText(), "Description: ");

    Show(0);
    EXPECT_EQ(Rows()[2 + 7], "Rate of fire | 300 rnd/min (200) | 7");
}

TEST_F(WarePanel, BulletRowsRangeAndColour) {
    Open("TBullets", {Bullet("B0")});
    Show(0);
    const QStringList rows = Rows();
    EXPECT_TRUE(rows.contains("Lifetime | 1.5 s (1500) | 10")) << rows.join('\n').toStdString();
    EXPECT_TRUE(rows.contains("Speed | 10 m/s (2220) | 11")) << rows.join('\n').toStdString();
    EXPECT_TRUE(rows.contains("Range | 15 m | "));
    EXPECT_TRUE(rows.contains("Color (RGB) | 0xFF8000 | "));
    EXPECT_TRUE(rows.contains("Unknown value | 77 | 23"));
    EXPECT_EQ(rows.filter(" | 0x").size(), 4); // the colour row and its three bytes

    // The colour is edited as one number and stored as three bytes.
    panel.SetColorEditor([](QWidget*, int32_t color) -> std::optional<int32_t> {
        EXPECT_EQ(color, 0xFF8000);
        return 0x102030;
    });
    DoubleClickRow("Color (RGB)");
    const auto bullet = document.Parser().FindIndex(0);
    EXPECT_EQ(bullet->Value(13).toInt(), 0x30);
    EXPECT_EQ(bullet->Value(14).toInt(), 0x20);
    EXPECT_EQ(bullet->Value(15).toInt(), 0x10);
    EXPECT_TRUE(Rows().contains("Color (RGB) | 0x102030 | "));
    EXPECT_EQ(changes, 1);
}

TEST_F(WarePanel, FactoryRaceAndWareRows) {
    Open("TFactories", {Line(22, "F1", {{13, "11"}})});
    Show(0);
    EXPECT_TRUE(Rows().contains("Race | N/A (11) | 13")) << Rows().join('\n').toStdString();
    EXPECT_EQ(panel.GetRace(*document.Parser().FindIndex(0)), "N/A");
    EXPECT_EQ(Rows().last(), "Script ID | 393216 | ");

    Open("TWareT", {Line(13, "W1")});
    Show(0);
    EXPECT_EQ(Rows().first(), "Name | W1 | ");
    EXPECT_EQ(Rows().last(), "Script ID | 1048576 | ");
}

TEST_F(WarePanel, RowsOpenTheirDialogsAndConfirmedEditsRaiseTheChange) {
    Open("TLaser", {Laser("L0"), Laser("L1")});
    Show(0);
    script.dialogs.answerAs<frmEdit>([](frmEdit& edit) {
        edit.cmbValue()->setCurrentText("L9");
        edit.btnOK()->click();
    });
    DoubleClickRow("ID");
    EXPECT_EQ(document.Parser().FindIndex(0)->ObjectName(), "L9");
    EXPECT_EQ(Rows()[0], "ID | L9 | ");
    EXPECT_EQ(changes, 1);

    // The rows without a value open nothing; a cancelled edit changes nothing.
    DoubleClickRow("Name");
    DoubleClickRow("Script ID");
    EXPECT_EQ(script.dialogs.shown(), QStringList{"frmEdit"});
    script.dialogs.answerAs<frmEdit>([](frmEdit& edit) { edit.btnCancel()->click(); });
    DoubleClickRow("Rate of fire");
    EXPECT_EQ(changes, 1);

    panel.SetReadOnly(true);
    DoubleClickRow("ID");
    EXPECT_EQ(script.dialogs.shown().size(), 2);
}

TEST_F(WarePanel, OnlyTheClickedRowIsEditedOrCopied) {
    Open("TLaser", {Laser("L0")});
    Show(0);
    panel.resize(500, 700);
    panel.show();
    QTreeWidget* list = panel.PropView();
    const auto row = [list](const QString& caption) {
        return list->findItems(caption, Qt::MatchExactly, 0).value(0);
    };
    script.dialogs.answerAs<frmEdit>([](frmEdit& edit) {
        edit.cmbValue()->setCurrentText("9");
        edit.btnOK()->click();
    });
    testsupport::DoubleClickRow(list, row("Energy"));
    EXPECT_EQ(tfiles::ValueText(document.Parser().FindIndex(0)->Value(10)), "9");

    // Unselected with Ctrl, the row is neither edited nor copied.
    testsupport::ClickRow(list, row("Energy"));
    testsupport::ClickRow(list, list->model()->index(list->indexOfTopLevelItem(row("Energy")), 0),
                          Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("kept");
    testsupport::PressKey(list, Qt::Key_Insert, Qt::ControlModifier);
    testsupport::PressKey(list, Qt::Key_Return);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
    EXPECT_EQ(script.dialogs.shown(), QStringList{"frmEdit"});
    testsupport::ClickRow(list, row("Energy"));
    testsupport::PressKey(list, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "9");
}

TEST_F(WarePanel, ShowingNothingEmptiesTheRowsAndNewLinesHaveTheirKindsSize) {
    Open("TWareB", {Line(13, "W1")});
    Show(0);
    EXPECT_FALSE(Rows().isEmpty());
    panel.ShowObject(nullptr, kind);
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_TRUE(panel.DescEdit()->toPlainText().isEmpty());

    const auto created = panel.CreateObject(6, document, nullptr);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->size(), 13);
    EXPECT_FALSE(panel.CreateObject(9, document, nullptr));
}

TEST_F(WarePanel, BulletsAreNamedAfterTheLaserAtTheirPosition) {
    CreateArchive();
    Open("TBullets", {Bullet("B0"), Bullet("B1")});
    // No "TLaser" in the virtual file system: every bullet is nameless.
    EXPECT_EQ(panel.GetResourceName(*document.Parser().FindIndex(1)), "");
}

TEST(WarePanelClaims, TitlesAndKinds) {
    ucWare panel;
    int32_t kind = -1;
    EXPECT_FALSE(panel.ZorvQueryInterfaceEx("TCockpits", kind));
    EXPECT_EQ(kind, -1);
    EXPECT_TRUE(panel.ZorvQueryInterfaceEx("tlaser", kind));
    EXPECT_EQ(kind, 3);
    EXPECT_TRUE(panel.ZorvQueryInterfaceEx("TShieldsTLaser", kind));
    EXPECT_EQ(kind, 3);
    EXPECT_EQ(panel.ZorvQueryInfo(7), 3);
}

} // namespace
