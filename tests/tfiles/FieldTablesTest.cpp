#include "platform/BoundedArrayLookups.h"
#include "tfiles/mdlZorvBullets.h"
#include "tfiles/mdlZorvCockpits.h"
#include "tfiles/mdlZorvDocks.h"
#include "tfiles/mdlZorvFactories.h"
#include "tfiles/mdlZorvLasers.h"
#include "tfiles/mdlZorvRockets.h"
#include "tfiles/mdlZorvShields.h"
#include "tfiles/mdlZorvShips.h"
#include "tfiles/mdlZorvWare.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using tfiles::TextTable;

struct Bounds {
    const char* name;
    const TextTable& table;
    int32_t lower;
    int32_t upper;
};

// Every table is built before any panel asks for it, with the bounds its
// readers rely on.
TEST(FieldTables, AreBuiltAtStartWithTheirBounds) {
    const Bounds cases[] = {
        {"ShieldFieldNames", mdlZorvShields::ShieldFieldNames, 0, 15},
        {"LaserFieldNames", mdlZorvLasers::LaserFieldNames, 0, 16},
        {"RocketFieldNames", mdlZorvRockets::RocketFieldNames, 0, 29},
        {"WareFieldNames", mdlZorvWare::WareFieldNames, 2, 6},
        {"FactoryFieldNames", mdlZorvFactories::FactoryFieldNames, 0, 20},
        {"BulletFieldNames", mdlZorvBullets::BulletFieldNames, 0, 31},
        {"DockFieldNames", mdlZorvDocks::DockFieldNames, 6, 20},
        {"CockpitFieldNames", mdlZorvCockpits::CockpitFieldNames, 7, 8},
        {"ShipFieldNames", mdlZorvShips::ShipFieldNames, 0, 47},
        {"ShipClassNames", mdlZorvShips::ShipClassNames, 0, 12},
        {"MissileTypeNames", mdlZorvShips::MissileTypeNames, -1, 7},
        {"CargoClassNames", mdlZorvShips::CargoClassNames, 0, 5},
        {"ShieldSizeNames", mdlZorvShips::ShieldSizeNames, 0, 3},
        {"TurretPositionNames", mdlZorvShips::TurretPositionNames, 1, 6},
    };
    for (const Bounds& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.table.lower(), c.lower);
        EXPECT_EQ(c.table.upper(), c.upper);
        EXPECT_EQ(mdlCommon::GetArrayString(c.table, c.lower - 1), "N/A");
        EXPECT_EQ(mdlCommon::GetArrayString(c.table, c.upper + 1), "N/A");
    }
}

struct Entry {
    const TextTable& table;
    int32_t index;
    const char* text; // as read through the table look-up
};

TEST(FieldTables, EntriesReadThroughTheLookUp) {
    const Entry cases[] = {
        {mdlZorvShields::ShieldFieldNames, 3, "Unknown value"}, // empty entry
        {mdlZorvShields::ShieldFieldNames, 8, "Strength"},
        {mdlZorvShields::ShieldFieldNames, 15, "Ware class"},
        {mdlZorvLasers::LaserFieldNames, 4, "Unknown value"}, // the literal caption
        {mdlZorvLasers::LaserFieldNames, 7, "Rate of fire"},
        {mdlZorvRockets::RocketFieldNames, 3, "Turn radius (pitch)"},
        {mdlZorvRockets::RocketFieldNames, 24, "Model file"},
        {mdlZorvWare::WareFieldNames, 1, "N/A"},
        {mdlZorvWare::WareFieldNames, 5, "Index"},
        {mdlZorvFactories::FactoryFieldNames, 15, "Body exlosion def"},
        {mdlZorvFactories::FactoryFieldNames, 13, "Race"},
        {mdlZorvBullets::BulletFieldNames, 15, "RGB (R)"},
        {mdlZorvBullets::BulletFieldNames, 31, "Unknown value"},
        {mdlZorvDocks::DockFieldNames, 13, "Race"},
        {mdlZorvCockpits::CockpitFieldNames, 8, "Possible lasers"},
        {mdlZorvShips::ShipFieldNames, 24, "Max # of engine tunning"},
        {mdlZorvShips::ShipFieldNames, 46, "Particle emmiter"},
        {mdlZorvShips::ShipFieldNames, 30, "Unknown value"},
        {mdlZorvShips::ShipClassNames, 8, "8"},
        {mdlZorvShips::ShipClassNames, 12, "TP"},
        {mdlZorvShips::MissileTypeNames, -1, "none"},
        {mdlZorvShips::CargoClassNames, 4, "extra large"},
        {mdlZorvShips::ShieldSizeNames, 3, "125 MW"},
        {mdlZorvShips::TurretPositionNames, 6, "bottom"},
    };
    for (const Entry& c : cases)
        EXPECT_EQ(mdlCommon::GetArrayString(c.table, c.index), c.text) << "index " << c.index;
}

TEST(FieldTables, InventedNamesFillEveryEntry) {
    for (int32_t i = 0; i <= 12; ++i)
        EXPECT_FALSE(mdlZorvShips::ShipClassNames[i].isEmpty()) << "class " << i;
    for (int32_t i = -1; i <= 7; ++i)
        EXPECT_FALSE(mdlZorvShips::MissileTypeNames[i].isEmpty()) << "missile type " << i;
}

TEST(FieldTables, InitRoutinesRestoreTheSameContent) {
    const std::function<void()> inits[] = {
        mdlZorvShields::InitShieldArrays,    mdlZorvLasers::InitLaserArrays,
        mdlZorvRockets::InitRocketArrays,    mdlZorvWare::InitWareArrays,
        mdlZorvFactories::InitFactoryArrays, mdlZorvBullets::InitBulletArrays,
        mdlZorvDocks::InitDockArrays,        mdlZorvCockpits::InitCockpitArrays,
        mdlZorvShips::InitShipArrays};
    mdlZorvShips::CargoClassNames[2] = QStringLiteral("changed");
    mdlZorvShields::ShieldFieldNames = {};
    for (const auto& init : inits)
        init();
    EXPECT_EQ(mdlZorvShips::CargoClassNames[2], "medium");
    EXPECT_EQ(mdlZorvShields::ShieldFieldNames.upper(), 15);
    EXPECT_EQ(mdlCommon::GetArrayString(mdlZorvShields::ShieldFieldNames, 0), "Body ID");
}

} // namespace
