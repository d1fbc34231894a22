// The game data the ship panel tests stand on: a laser table, a turret-type
// table and a few names in the text resources, found through the virtual
// file system and the program's T-file cache.
#pragma once

#include "resources/ResourceTestSupport.h"
#include "ships/ShipTestSupport.h"
#include "tfiles/widgets/TFileWidgetTestSupport.h"

#include "resources/clsDescServer.h"
#include "tfiles/clsArchive.h"
#include "tfiles/mdlZorvShips.h"

#include <QTreeWidget>

namespace shipwidgettest {

// A turret-type line of 15 values with the laser mask in value 8.
inline std::string Cockpit(const std::string& name, const std::string& mask = "0") {
    return tfilewidgettest::Line(15, name, {{7, "0"}, {8, mask}});
}

// Lasers on lines 0 to 2 named "Pulse", "Beam" and (without a text) their
// ID string; turret types "CP_B" (line 0) and "CP_A" (line 1); page 17 texts
// 100 "Falcon" and 101 its description.
inline void WriteGameData() {
    testsupport::writeFile(testsupport::dataDir() / "types" / "TLaser.txt",
                           tfiletest::TFile({tfilewidgettest::Laser("SS_LASER_P", {{6, "300"}}),
                                             tfilewidgettest::Laser("SS_LASER_B", {{6, "301"}}),
                                             tfilewidgettest::Laser("SS_LASER_X", {{6, "999"}})}));
    testsupport::writeFile(testsupport::dataDir() / "types" / "TCockpits.txt",
                           tfiletest::TFile({Cockpit("CP_B"), Cockpit("CP_A")}));
    restest::WriteLanguageFile(
        "440001.xml",
        restest::Language(
            44,
            restest::Page("17", "Names",
                          restest::Text("100", "Falcon") + restest::Text("101", "A fast\\nship") +
                              restest::Text("300", "Pulse") + restest::Text("301", "Beam"))));
    restest::OpenDataFolder();
    EXPECT_TRUE(DescServer().LoadResources(44));
    CreateArchive();
    mdlZorvShips::InitShipArrays();
}

inline void ForgetGameData() {
    ResetDescServer();
    CreateArchive();
}

// Caption, value and offset column of every row.
inline QStringList Rows(const QTreeWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        QStringList texts;
        for (int column = 0; column < item->columnCount(); ++column)
            texts << item->text(column);
        rows << texts.join(" | ");
    }
    return rows;
}

inline void SelectRow(QTreeWidget* list, int row) {
    ASSERT_LT(row, list->topLevelItemCount()) << list->objectName().toStdString();
    list->setCurrentItem(list->topLevelItem(row));
}

// Selects the first row whose first column reads the caption.
inline void SelectCaption(QTreeWidget* list, const QString& caption) {
    const auto found = list->findItems(caption, Qt::MatchExactly, 0);
    ASSERT_FALSE(found.isEmpty()) << caption.toStdString();
    list->setCurrentItem(found.first());
}

} // namespace shipwidgettest
