#include "ShipTestSupport.h"

#include <gtest/gtest.h>

using shiptest::Head;
using shiptest::kTail;
using shiptest::Line;

namespace {

const QString kSizeText = QStringLiteral(
    "Calculated size of ship data does not match actual data size - should be %1 and it is %2.");

TEST(clsShipValidate, ReportsLinesThatDoNotFitTheirCounts) {
    const struct {
        const char* name;
        std::string line;
        QString report;
    } cases[] = {
        {"consistent", Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;0;" + kTail, QString()},
        {"too short", "1;2;3;SS_TEST;", kSizeText.arg(55).arg(4)},
        {"turret without its section", Head() + "1;" + "0;0;0;0;0;0;SS_TEST;",
         kSizeText.arg(59).arg(55)},
        {"gun group past the end", Head() + "1;" + "1;0;0;0;" + "1;" + "0;SS_TEST;",
         "Error while accessing data of gun group (index 0). Data overflow detected.\n" +
             kSizeText.arg(63).arg(55)},
        {"turret section past the end", Head() + "2;" + "1;0;0;0;" + "2;1;SS_TEST;",
         "Error while accessing data of turret (index 1). Data overflow detected." +
             kSizeText.arg(63).arg(55)},
        {"gun past the end", Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;1;" + "0;0;0;0;SS_TEST;",
         "Error while accessing data of gun (index 1) in gun group (index 0). Data overflow "
         "detected.\n" +
             kSizeText.arg(69).arg(62)},
        {"negative turret count", Head() + "-1;" + "0;0;0;0;0;0;SS_TEST;",
         "Turret count is negative (-1).\n" + kSizeText.arg(51).arg(55)},
        {"negative gun group count", Head() + "0;" + "-1;" + kTail,
         "Gun group count is negative (-1)."},
        {"negative gun count",
         Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;-2;" + "0;0;0;0;0;0;0;0;0;0;0;0;" + kTail,
         "Gun count of gun group (index 0) is negative (-2)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsTxtParser parser;
        const auto ship = shiptest::LoadedShip(parser, c.line);
        EXPECT_EQ(ship->Validate(), c.report.isEmpty());
        EXPECT_EQ(ship->GetLastError(), c.report);
        EXPECT_EQ(Line(*ship), c.line);
        EXPECT_FALSE(ship->Object->Dirty());
    }
}

// Counts that name a few sections more than the line holds still load: the
// sections are built where the counts put them, and Validate reports the ship.
TEST(clsShipValidate, SectionsPastTheEndLoadAndAreReported) {
    const std::string gun = "0;0;0;0;0;0;";
    const struct {
        const char* name;
        std::string line;
        QString report;
    } cases[] = {
        {"one gun too many", Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;2;" + gun + kTail,
         kSizeText.arg(75).arg(69)},
        {"two guns too many", Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;3;" + gun + kTail,
         "Error while accessing data of gun (index 3) in gun group (index 0). Data overflow "
         "detected.\n" +
             kSizeText.arg(81).arg(69)},
        {"gun group past the end", Head() + "1;" + "1;0;0;0;" + "3;" + "1;0;1;0;" + "SS_TEST;",
         "Error while accessing data of gun group (index 0). Data overflow detected.\n" +
             kSizeText.arg(71).arg(58)},
        {"turrets past the end", Head() + "9;" + "1;0;0;0;" + "0;0;SS_TEST;",
         "Error while accessing data of turret (index 7). Data overflow detected." +
             kSizeText.arg(91).arg(55)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsTxtParser parser;
        const auto ship = shiptest::LoadedShip(parser, c.line);
        EXPECT_FALSE(ship->Validate());
        EXPECT_EQ(ship->GetLastError(), c.report);
        EXPECT_EQ(Line(*ship), c.line);
    }
}

// After LoadObjects failed, Validate does not pass a line whose counts name
// sections that were never built.
TEST(clsShipValidate, FailsWhenTheSectionsWereNotAllBuilt) {
    clsTxtParser parser;
    const auto ship = shiptest::LoadedShip(parser, Head() + "0;" + "0;" + kTail);
    ship->SetValue(48, 2147483647);
    EXPECT_FALSE(ship->LoadObjects());
    EXPECT_FALSE(ship->Validate());
    EXPECT_EQ(ship->GetLastError(), "Turret count (0) and gun group count (2147483647) do not "
                                    "match the sections read (0 and 0).");
}

TEST(clsShipValidate, StartsItsReportAfreshEachTime) {
    clsTxtParser parser;
    const auto ship = shiptest::LoadedShip(parser, Head() + "1;" + "0;0;0;0;0;0;SS_TEST;");
    const QString report = kSizeText.arg(59).arg(55);
    EXPECT_FALSE(ship->RemoveTurret(*ship->Turrets().at(1)));
    EXPECT_EQ(ship->GetLastError(), "Error removing turret: \n" + report);
    EXPECT_FALSE(ship->Validate());
    EXPECT_EQ(ship->GetLastError(), report);
    EXPECT_FALSE(ship->Validate());
    EXPECT_EQ(ship->GetLastError(), report);

    // A passing check keeps the last error.
    ship->SetValue(47, 0);
    ship->LoadObjects();
    EXPECT_TRUE(ship->Validate());
    EXPECT_EQ(ship->GetLastError(), report);
}

TEST(clsShipValidate, TextWhereACountBelongsIsAReadError) {
    clsTxtParser parser;
    const auto ship = shiptest::NewShip(parser);
    ship->SetValue(47, QByteArray("many"));
    EXPECT_FALSE(ship->Validate());
    EXPECT_EQ(ship->GetLastError(), "Error while reading data: Value of field 47 is not a number.");
}

} // namespace
