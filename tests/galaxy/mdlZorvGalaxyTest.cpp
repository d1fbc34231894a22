#include "galaxy/mdlZorvGalaxy.h"
#include "platform/BoundedArrayLookups.h"

#include <gtest/gtest.h>

#include <vector>

using namespace mdlZorvGalaxy;

TEST(mdlZorvGalaxy, TableTextsAndBounds) {
    InitGalaxyTables();
    InitGalaxyTables();
    struct Case {
        const TextTable& table;
        int32_t index;
        const char* text;
    };
    const std::vector<Case> cases = {
        {GalObjectTypeNames, 1, "Sector"},
        {GalObjectTypeNames, 18, "Gate"},
        {GalObjectTypeNames, 23, "Sub objects"},
        {GalObjectTypeNames, 19, "Unknown value"},
        {GalObjectTypeNames, 22, "Unknown value"},
        {GalObjectTypeNames, 0, "N/A"},
        {GalObjectTypeNames, 24, "N/A"},
        {GalSubObjectNames, 1, "Shieds"},
        {GalSubObjectNames, 3, "Unknown value"},
        {GalSubObjectNames, 9, "Flying ships"},
        {GalTypeTFiles, 7, "TShips"},
        {GalTypeTFiles, 21, "TNebula"},
        {GalTypeTFiles, 1, "Unknown value"},
        {GalTypeTFiles, 22, "N/A"},
        {GalAttrCaptions, 19, "Sector - fog near"},
        {GalAttrCaptions, 20, "Sector - fog close"},
        {GalAttrNames, 12, "gid"},
        {GalAttrNames, 21, "m"},
        {GateIDNames, -1, "-1"},
        {GateIDNames, 5, "3B"},
        {GateIDNames, 6, "N/A"},
        {AsteroidTypeNames, 1, "Silicon"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mdlCommon::GetArrayString(c.table, c.index).toStdString(), c.text)
            << "index " << c.index;

    // The record panel's kinds: docks, factories, ships, lasers and wares.
    for (const auto& [type, kind] : std::vector<std::pair<int32_t, int32_t>>{
             {5, 10}, {6, 7}, {7, 1}, {8, 3}, {11, 6}, {16, 6}, {9, 0}, {17, 0}, {21, 0}})
        EXPECT_EQ(GalTypeTFileKinds[type], kind) << "type " << type;
    EXPECT_EQ(GalTypeTFileKinds.upper(), 21);
    EXPECT_EQ(GalAttrNames.count(), GalAttrCaptions.count());
}
