#include "tfiles/mdlZorvShips.h"

namespace mdlZorvShips {
namespace {

tfiles::TextTable BuildShipFieldNames() {
    return tfiles::FieldTable(0, 47,
                              {{2, "Turn"},
                               {3, "Pitch"},
                               {4, "Roll"},
                               {5, "Class"},
                               {6, "Description"},
                               {7, "Speed"},
                               {8, "Acceleration"},
                               {9, "Engine sound"},
                               {10, "Average reaction delay"},
                               {11, "Engine effect (color)"},
                               {12, "Engine glow effect"},
                               {13, "Power"},
                               {14, "Sound volume min"},
                               {15, "Sound volume max"},
                               {16, "Model file"},
                               {17, "Cockpit file"},
                               {18, "Possible lasers"},
                               {19, "Gun count"},
                               {20, "Shield type"},
                               {21, "Max shield count"},
                               {22, "Max missile type"},
                               {23, "Number of missiles (NPC)"},
                               {24, "Max # of engine tunning"},
                               {25, "Max # of rudder tunning"},
                               {26, "Cargo min (buy)"},
                               {27, "Cargo max"},
                               {40, "Docking slots"},
                               {41, "Cargo type"},
                               {42, "Race"},
                               {43, "Hull strength"},
                               {44, "Explosion def"},
                               {45, "Body explosion def"},
                               {46, "Particle emmiter"},
                               {47, "Turret count"}});
}

tfiles::TextTable BuildShipClassNames() {
    return tfiles::FieldTable(0, 12,
                              {{0, "TL"},
                               {1, "TS"},
                               {2, "M0"},
                               {3, "M1"},
                               {4, "M2"},
                               {5, "M3"},
                               {6, "M4"},
                               {7, "M5"},
                               {8, "8"},
                               {9, "TS-P"},
                               {10, "Skerrvald"},
                               {11, "M6"},
                               {12, "TP"}});
}

tfiles::TextTable BuildMissileTypeNames() {
    return tfiles::FieldTable(-1, 7,
                              {{-1, "none"},
                               {0, "Light missile"},
                               {1, "Medium missile"},
                               {2, "Heavy missile"},
                               {3, "Seeker missile"},
                               {4, "Swarm missile"},
                               {5, "Long-range missile"},
                               {6, "Torpedo"},
                               {7, "Heavy torpedo"}});
}

tfiles::TextTable BuildCargoClassNames() {
    return tfiles::FieldTable(0, 5,
                              {{0, "tiny"},
                               {1, "small"},
                               {2, "medium"},
                               {3, "large"},
                               {4, "extra large"},
                               {5, "stations"}});
}

tfiles::TextTable BuildShieldSizeNames() {
    return tfiles::FieldTable(0, 3, {{0, "1 MW"}, {1, "5 MW"}, {2, "25 MW"}, {3, "125 MW"}});
}

tfiles::TextTable BuildTurretPositionNames() {
    return tfiles::FieldTable(
        1, 6, {{1, "front"}, {2, "rear"}, {3, "left"}, {4, "right"}, {5, "top"}, {6, "bottom"}});
}

} // namespace

tfiles::TextTable ShipFieldNames = BuildShipFieldNames();
tfiles::TextTable ShipClassNames = BuildShipClassNames();
tfiles::TextTable MissileTypeNames = BuildMissileTypeNames();
tfiles::TextTable CargoClassNames = BuildCargoClassNames();
tfiles::TextTable ShieldSizeNames = BuildShieldSizeNames();
tfiles::TextTable TurretPositionNames = BuildTurretPositionNames();

void InitShipArrays() {
    ShipFieldNames = BuildShipFieldNames();
    ShipClassNames = BuildShipClassNames();
    MissileTypeNames = BuildMissileTypeNames();
    CargoClassNames = BuildCargoClassNames();
    ShieldSizeNames = BuildShieldSizeNames();
    TurretPositionNames = BuildTurretPositionNames();
}

} // namespace mdlZorvShips
