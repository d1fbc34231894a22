#include "ShipTestSupport.h"

#include "ships/clsCockpitParser.h"
#include "ships/clsGunGroup.h"
#include "ships/clsShipParser.h"

#include <gtest/gtest.h>

#include <QStringList>

using shiptest::Head;

namespace {

// An empty ship named `name`.
std::string ShipLine(const std::string& name) {
    return Head() + "0;" + "0;11;12;13;14;3;" + name + ";";
}

QStringList Names(const platform::KeyedCollection<clsShip>& ships) {
    QStringList names;
    for (const auto& ship : ships)
        names << ship->Object->ObjectName();
    return names;
}

bool LoadShips(clsTxtParser& file, clsShipParser& ships, const std::vector<std::string>& lines) {
    EXPECT_TRUE(tfiletest::LoadBytes(file, tfiletest::TFile(lines), "TShips.txt"));
    file.FileName = "types\\TShips.txt";
    return ships.Load(file);
}

TEST(clsShipParser, WrapsEveryShipInNameAndFileOrder) {
    clsTxtParser file;
    clsShipParser ships;
    ASSERT_TRUE(LoadShips(file, ships, {ShipLine("b"), ShipLine("A"), ShipLine("c")}))
        << ships.GetLastError().toStdString();
    EXPECT_EQ(Names(ships.Ships), (QStringList{"A", "b", "c"}));
    EXPECT_EQ(Names(ships.UnsortedShips), (QStringList{"b", "A", "c"}));
    EXPECT_EQ(ships.FileName, "types\\TShips.txt");

    const auto record = file.FindIndex(1);
    const auto ship = ships.Find(record->ID());
    ASSERT_NE(ship, nullptr);
    EXPECT_EQ(ship->Object, record);
    EXPECT_EQ(ship->Key(), record->Key());
    EXPECT_EQ(ships.Find(0), nullptr);

    const auto created = ships.CreateShip(file.CreateObject(nullptr));
    EXPECT_TRUE(created->Turrets().isEmpty());
    EXPECT_EQ(ships.Ships.at(4), created);
    EXPECT_EQ(ships.UnsortedShips.at(4), created);
    EXPECT_EQ(ships.Find(created->Object->ID()), created);
    created->Construct();
    EXPECT_TRUE(created->LoadObjects());
    EXPECT_EQ(created->size(), 55);
    EXPECT_TRUE(created->Validate());
}

TEST(clsShipParser, EmptyFileLoads) {
    clsTxtParser file;
    clsShipParser ships;
    EXPECT_TRUE(LoadShips(file, ships, {}));
    EXPECT_TRUE(ships.Ships.isEmpty());
    EXPECT_TRUE(ships.UnsortedShips.isEmpty());
    EXPECT_EQ(ships.FileName, "types\\TShips.txt");
}

// A ship whose sections cannot be built (a count past anything a line can
// hold) stops the load, names the ship's line and writes nothing.
TEST(clsShipParser, ReportsShipsWhoseSectionsCannotBeBuilt) {
    const std::string tail = "0;0;0;0;0;bad;";
    const struct {
        const char* name;
        std::string line;
        const char* reason;
    } cases[] = {
        {"text for the turret count", Head() + "many;" + "0;" + tail,
         "Value of field 47 is not a number."},
        {"huge turret count", Head() + "2147483647;" + "0;" + tail,
         "Turret section (index 16372) lies outside the ship data."},
        {"huge gun group count", Head() + "0;" + "2147483647;" + tail,
         "Gun group (index 16372) lies outside the ship data."},
        {"huge gun count", Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;2147483647;" + tail,
         "Gun (index 10914) lies outside the ship data."},
        {"number beyond 32 bits", Head() + "1e12;" + "0;" + tail,
         "Value of field 47 is out of range."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsTxtParser file;
        clsShipParser ships;
        EXPECT_FALSE(LoadShips(file, ships, {ShipLine("a"), c.line}));
        EXPECT_EQ(ships.GetLastError(),
                  QStringLiteral("Error loading ship objects (ship idx=1): ") + c.reason);
        EXPECT_EQ(ships.FileName, "");
        EXPECT_TRUE(ships.UnsortedShips.isEmpty());
        EXPECT_FALSE(file.CheckDirty());
    }
}

// A ship with a gun more than its line holds is loaded and listed; Validate
// reports it.
TEST(clsShipParser, LoadsShipsWhoseCountsReachPastTheirLine) {
    const std::string corrupted =
        Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;3;" + "0;0;0;0;0;0;" + "0;0;0;0;0;corrupted;";
    clsTxtParser file;
    clsShipParser ships;
    ASSERT_TRUE(LoadShips(file, ships, {ShipLine("a"), corrupted}))
        << ships.GetLastError().toStdString();
    ASSERT_EQ(ships.UnsortedShips.count(), 2);
    const auto ship = ships.UnsortedShips.at(2);
    EXPECT_EQ(ship->GunGroups().at(1)->Guns().count(), 3);
    EXPECT_FALSE(ship->Validate());
    EXPECT_TRUE(ship->GetLastError().startsWith(
        "Error while accessing data of gun (index 3) in gun group (index 0). Data overflow "
        "detected.\nCalculated size of ship data does not match actual data size"));
    EXPECT_TRUE(ships.UnsortedShips.at(1)->Validate());
}

std::string CockpitLine(const std::string& lasers, const std::string& name) {
    return "0;0;0;0;0;0;0;0;" + lasers + ";0;0;0;0;0;" + name + ";";
}

TEST(clsCockpitParser, FindsTurretTypesByRecordAndByLine) {
    clsTxtParser file;
    ASSERT_TRUE(tfiletest::LoadBytes(
        file, tfiletest::TFile({CockpitLine("1", "z"), CockpitLine("2", "a")}), "TCockpits.txt"));
    file.FileName = "TCockpits";
    clsCockpitParser cockpits;
    EXPECT_TRUE(cockpits.Load(file));
    EXPECT_EQ(cockpits.FileName, "TCockpits");
    EXPECT_EQ(cockpits.Cockpits.at(1)->Object->ObjectName(), "a");
    EXPECT_EQ(cockpits.FindIndex(0)->Object->ObjectName(), "z");
    EXPECT_EQ(cockpits.FindIndex(1)->CompatibleLasers(), 2);
    EXPECT_EQ(cockpits.FindIndex(2), nullptr);
    EXPECT_EQ(cockpits.FindIndex(-1), nullptr);
    const auto first = file.FindIndex(0);
    EXPECT_EQ(cockpits.Find(first->ID())->Object, first);
    EXPECT_EQ(cockpits.Find(0), nullptr);

    const auto created = cockpits.CreateCockpit(file.CreateObject(nullptr));
    EXPECT_EQ(cockpits.Cockpits.at(3), created);
    EXPECT_EQ(cockpits.UnsortedCockpits.at(3), created);
}

TEST(clsCockpit, CompatibleLasersRoundHalvesToEvenAndKeepEveryBit) {
    const struct {
        const char* stored;
        int32_t lasers;
    } cases[] = {{"5.5", 6}, {"4.5", 4}, {"-2147483647", -2147483647}, {"16777217", 16777217}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        clsTxtParser file;
        ASSERT_TRUE(tfiletest::LoadBytes(file, tfiletest::TFile({CockpitLine(c.stored, "t")}),
                                         "TCockpits.txt"));
        clsCockpit cockpit(file.FindIndex(0));
        EXPECT_EQ(cockpit.CompatibleLasers(), c.lasers);
        EXPECT_EQ(cockpit.size(), 15);
    }
}

} // namespace
