#include "galaxy/mdlZorvGalaxy.h"

#include "tfiles/FieldTable.h"

namespace mdlZorvGalaxy {

TextTable GalObjectTypeNames;
TextTable GalSubObjectNames;
TextTable GalTypeTFiles;
platform::BoundedArray<int32_t> GalTypeTFileKinds;
TextTable AsteroidTypeNames;
TextTable GalAttrNames;
TextTable GalAttrCaptions;
TextTable GateIDNames;

void InitGalaxyTables() {
    GalObjectTypeNames =
        TextTable(1, {"Sector", "Background", "Sun",    "Planet",   "Dock",       "Factory",
                      "Ship",   "Laser",      "Shield", "Missiles", "Ware E",     "Ware N",
                      "Ware B", "Ware F",     "Ware M", "Ware T",   "Asteroid",   "Gate",
                      "",       "Special",    "Nebula", "",         "Sub objects"});
    GalSubObjectNames =
        TextTable(1, {"Shieds", "Lasers", "", "Upgrades", "Docked ships", "Primary resources",
                      "Product", "Secondary resources", "Flying ships"});
    GalTypeTFiles = tfiles::FieldTable(0, 21,
                                       {{3, "TSuns"},
                                        {4, "TPlanets"},
                                        {5, "TDocks"},
                                        {6, "TFactories"},
                                        {7, "TShips"},
                                        {8, "TLaser"},
                                        {9, "TShields"},
                                        {10, "TRockets"},
                                        {11, "TWareE"},
                                        {12, "TWareN"},
                                        {13, "TWareB"},
                                        {14, "TWareF"},
                                        {15, "TWareM"},
                                        {16, "TWareT"},
                                        {17, "TAsteroids"},
                                        {18, "TGates"},
                                        {20, "TSpecial"},
                                        {21, "TNebula"}});
    // Docks 10, factories 7, ships 1, lasers 3, the six wares 6; no panel 0.
    GalTypeTFileKinds = platform::BoundedArray<int32_t>(
        1, {0, 0, 0, 0, 10, 7, 1, 3, 0, 0, 6, 6, 6, 6, 6, 6, 0, 0, 0, 0, 0});
    AsteroidTypeNames = TextTable(0, {"Ore", "Silicon", "Ice"});
    GalAttrNames =
        TextTable(0, {"id", "t",   "s",    "x",  "y",  "z",       "color", "r",  "n",  "a",  "b",
                      "g",  "gid", "gtid", "gx", "gy", "aamount", "atype", "ff", "fc", "fn", "m"});
    GalAttrCaptions = TextTable(0, {"ID",
                                    "Type",
                                    "Subtype",
                                    "X",
                                    "Y",
                                    "Z",
                                    "Color",
                                    "Race",
                                    "Description/Amount",
                                    "Rotation - alpha",
                                    "Rotation - beta",
                                    "Rotation - gamma",
                                    "Gate - ID",
                                    "Gate - target gate ID",
                                    "Gate - target sector X",
                                    "Gate - target sector Y",
                                    "Asteroid - resource amount",
                                    "Asteroid - type",
                                    "Sector - fog far",
                                    "Sector - fog near",
                                    "Sector - fog close",
                                    "Sector - music"});
    GateIDNames = TextTable(-1, {"-1", "1A", "1B", "2A", "2B", "3A", "3B"});
}

} // namespace mdlZorvGalaxy
