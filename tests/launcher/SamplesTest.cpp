// The demo data set is what a newcomer opens first: every file must load
// through the models, and every ship must be sound.
#include "common/mdlCommonGlobals.h"
#include "galaxy/clsGalaxyParser.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "gamefiles/mdlZorvVFS.h"
#include "resources/clsDescServer.h"
#include "shell/mdlZorvConst.h"
#include "ships/clsShipParser.h"
#include "tfiles/clsArchive.h"
#include "tfiles/clsTxtParser.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QString kSamples = QDir::cleanPath(QStringLiteral(ZORV_FIXTURES_DIR "/../../samples"));

class SamplesTest : public testing::Test {
protected:
    SamplesTest() {
        mdlZorvConst::InitArrays();
        mdlZorvGalaxy::InitGalaxyTables();
        mdlCommon::Settings().SetZorvPath(QDir(kSamples).absolutePath());
        mdlZorvVFS::ZorvVFS_InitVFS(QDir(kSamples).absolutePath());
        CreateArchive();
    }
};

} // namespace

TEST_F(SamplesTest, EveryTableLoadsAndEveryShipIsSound) {
    const QStringList tables = QDir(kSamples + "/types").entryList({"T*.txt"}, QDir::Files);
    ASSERT_GE(tables.size(), 14);
    for (const QString& table : tables) {
        SCOPED_TRACE(table.toStdString());
        const auto parser = Archive().GetFile(table.chopped(4));
        ASSERT_TRUE(parser && parser->Parsed());
        EXPECT_GT(parser->UnsortedObjects.count(), 0);
    }
    clsShipParser ships;
    ASSERT_TRUE(ships.Load(*Archive().GetFile("TShips"))) << ships.GetLastError().toStdString();
    ASSERT_EQ(ships.UnsortedShips.count(), 5);
    for (const auto& ship : ships.UnsortedShips)
        EXPECT_TRUE(ship->Validate()) << ship->GetLastError().toStdString();
}

TEST_F(SamplesTest, TheMapAndTheTextsLoad) {
    ASSERT_TRUE(DescServer().LoadResources(44)) << DescServer().GetLastError().toStdString();
    EXPECT_EQ(DescServer().GetString2(7, 1020202, {}), "Ashfall Reach");
    EXPECT_EQ(DescServer().GetString2(17, 2500, {}), "Wasp");

    auto map = clsGalaxyParser::Create();
    ASSERT_TRUE(map->ParseFile(kSamples + "/maps/demo_universe.xml"))
        << map->GetLastError().toStdString();
    ASSERT_EQ(map->Sectors.count(), 20);
    for (const auto& sector : map->Sectors) {
        ASSERT_TRUE(map->LoadSectorChildren(sector)) << map->GetLastError().toStdString();
        EXPECT_FALSE(map->GetObjectName(sector).isEmpty());
    }
}
