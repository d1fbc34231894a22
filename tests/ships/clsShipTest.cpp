#include "ShipTestSupport.h"

#include "ships/clsGun.h"
#include "ships/clsGunGroup.h"
#include "ships/clsTurret.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using shiptest::Head;
using shiptest::kModelError;
using shiptest::kTail;
using shiptest::Line;
using shiptest::Raised;

namespace {

TEST(clsShip, TurretsAndGunsKeepEveryCountAndOffsetOfTheLine) {
    clsTxtParser parser;
    const auto ship = shiptest::NewShip(parser);
    ASSERT_EQ(Line(*ship), Head() + "0;" + "0;" + kTail);

    const auto front = ship->MakeNewTurret();
    EXPECT_EQ(Line(*ship), Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;0;" + kTail);
    EXPECT_EQ(ship->size(), 63);
    EXPECT_EQ(ship->GGCountOffset(), 52);
    EXPECT_FALSE(front->IsTurret());

    const auto turret = ship->MakeNewTurret();
    turret->SetDescriptorValue(0, 3);
    turret->SetDescriptorValue(1, 2);
    EXPECT_EQ(Line(*ship), Head({{28, 3}, {29, 2}}) + "2;" + "1;0;0;0;" + "2;1;0;0;" + "2;" +
                               "1;0;1;0;" + "1;0;2;0;" + kTail);
    EXPECT_EQ(ship->GetTurretIndex(*turret), 2);

    // A gun in the first group moves the second group and its guns.
    const auto frontGroup = ship->GunGroups().at(1);
    const auto gun = frontGroup->MakeNewGun();
    gun->SetValue(1, 2);
    gun->SetValue(2, 77);
    frontGroup->RefreshGunCount();
    const auto turretGroup = ship->GunGroups().at(2);
    turretGroup->MakeNewGun();
    EXPECT_EQ(Line(*ship), Head({{19, 2}, {28, 3}, {29, 2}}) + "2;" + "1;0;0;0;" + "2;1;0;0;" +
                               "2;" + "1;2;1;1;" + "1;2;77;0;0;0;" + "3;0;2;1;" + "3;0;0;0;0;0;" +
                               kTail);
    EXPECT_EQ(turretGroup->offset(), 67);
    EXPECT_EQ(turretGroup->Guns().at(1)->offset(), 71);
    EXPECT_TRUE(ship->Validate());

    ASSERT_TRUE(ship->RemoveTurret(*turret)) << ship->GetLastError().toStdString();
    EXPECT_EQ(Line(*ship),
              Head({{19, 2}}) + "1;" + "1;0;0;0;" + "1;" + "1;2;1;1;" + "1;2;77;0;0;0;" + kTail);
    EXPECT_EQ(ship->GunGroups().count(), 1);
    EXPECT_EQ(gun->offset(), 57);
    EXPECT_TRUE(ship->Validate());

    ASSERT_TRUE(ship->RemoveTurret(*front)) << ship->GetLastError().toStdString();
    EXPECT_EQ(Line(*ship), Head() + "0;" + "0;" + kTail);
    EXPECT_TRUE(ship->Turrets().isEmpty());
}

TEST(clsShip, RefusedTurretEditsLeaveTheLineUntouched) {
    clsTxtParser parser;
    const auto ship = shiptest::NewShip(parser);
    for (int section = 1; section <= 7; ++section)
        ship->MakeNewTurret();
    const std::string full = Line(*ship);
    EXPECT_EQ(ship->TurretCount(), 7);

    const auto limit = Raised([&] { ship->MakeNewTurret(); });
    EXPECT_EQ(limit.number(), kModelError);
    EXPECT_EQ(limit.source(), "clsShip");
    EXPECT_EQ(limit.description(), "Maximum number of turrets reached.");
    EXPECT_EQ(Line(*ship), full);

    EXPECT_FALSE(ship->RemoveTurret(*ship->Turrets().at(3)));
    EXPECT_EQ(ship->GetLastError(), "Error removing turret: \nCan only remove last turret.");
    EXPECT_EQ(Line(*ship), full);

    clsTxtParser otherParser;
    const auto other = shiptest::NewShip(otherParser);
    const auto stranger = other->MakeNewTurret();
    EXPECT_FALSE(ship->RemoveTurret(*stranger));
    EXPECT_EQ(ship->GetLastError(), "Error removing turret: \nInvalid turret passed.");
    EXPECT_EQ(Raised([&] { ship->GetTurretIndex(*stranger); }).description(),
              "Invalid turret passed.");
    EXPECT_EQ(Line(*ship), full);
}

TEST(clsShip, RemoveGunRemovesTheGunItIsGiven) {
    clsTxtParser parser;
    const auto ship = shiptest::NewShip(parser);
    ship->MakeNewTurret();
    const auto group = ship->GunGroups().at(1);
    for (int body : {21, 22, 23}) {
        const auto gun = group->MakeNewGun();
        gun->SetValue(1, 1);
        gun->SetValue(2, body);
    }
    group->RefreshGunCount();
    const std::string threeGuns = Head({{19, 3}}) + "1;" + "1;0;0;0;" + "1;" + "1;3;1;3;" +
                                  "1;1;21;0;0;0;" + "2;1;22;0;0;0;" + "3;1;23;0;0;0;" + kTail;
    ASSERT_EQ(Line(*ship), threeGuns);

    const auto middle = group->Guns().at(2);
    group->RemoveGun(*middle);
    EXPECT_EQ(Line(*ship), Head({{19, 2}}) + "1;" + "1;0;0;0;" + "1;" + "1;2;1;2;" +
                               "1;1;21;0;0;0;" + "2;1;23;0;0;0;" + kTail);
    EXPECT_EQ(group->Guns().at(2)->offset(), 63);
    EXPECT_EQ(group->GetGunIndex(*middle), -1);

    // A loop over the guns may ask each gun's place after the removal.
    std::vector<int32_t> places;
    for (const auto& gun : group->Guns())
        places.push_back(group->GetGunIndex(*gun));
    EXPECT_EQ(places, (std::vector<int32_t>{1, 2}));

    const std::string twoGuns = Line(*ship);
    EXPECT_EQ(Raised([&] { group->RemoveGun(*middle); }).description(), "Invalid gun passed.");
    EXPECT_EQ(Line(*ship), twoGuns);
}

TEST(clsShip, GunGroupsStoredOutOfTurretOrderAreEditedWhereTheyLie) {
    // In the line: the turret with index 2 before the front gun, and the
    // turret's gun group (one gun) before the front gun's group.
    clsTxtParser parser;
    const auto ship =
        shiptest::LoadedShip(parser, Head({{28, 4}, {29, 3}}) + "2;" + "2;1;5;6;" + "1;0;7;8;" +
                                         "2;" + "1;0;2;1;" + "1;0;31;0;0;0;" + "1;0;1;0;" + kTail);
    ASSERT_TRUE(ship->Validate()) << ship->GetLastError().toStdString();
    const auto frontGroup = ship->GunGroups().at(1);
    ASSERT_EQ(frontGroup->SortIndex(), 1);
    EXPECT_EQ(frontGroup->offset(), 67);
    EXPECT_EQ(ship->Turrets().at(2)->Index(), 2);

    const auto gun = frontGroup->MakeNewGun();
    gun->SetValue(1, 2);
    frontGroup->RefreshGunCount();
    EXPECT_EQ(Line(*ship), Head({{19, 2}, {28, 4}, {29, 3}}) + "2;" + "2;1;5;6;" + "1;0;7;8;" +
                               "2;" + "3;0;2;1;" + "3;0;31;0;0;0;" + "1;2;1;1;" + "1;2;0;0;0;0;" +
                               kTail);
    EXPECT_TRUE(ship->Validate()) << ship->GetLastError().toStdString();

    ASSERT_TRUE(ship->RemoveTurret(*ship->Turrets().at(2))) << ship->GetLastError().toStdString();
    EXPECT_EQ(Line(*ship),
              Head({{19, 2}}) + "1;" + "1;0;7;8;" + "1;" + "1;2;1;1;" + "1;2;0;0;0;0;" + kTail);
    EXPECT_TRUE(ship->Validate()) << ship->GetLastError().toStdString();
    EXPECT_EQ(gun->offset(), 57);
    EXPECT_EQ(ship->Turrets().at(1)->offset(), 48);
}

// Turret indexes need not run 1 to n, nor a group's turret index name a
// turret: a turret added and removed again takes only its own section, group
// and descriptor with it.
TEST(clsShip, AddingAndRemovingATurretRestoresAnyValidLine) {
    const struct {
        const char* name;
        std::string line;
        int32_t newIndex;
    } cases[] = {
        {"the only turret already has index 2",
         Head({{19, 1}, {28, 4}, {29, 3}}) + "1;" + "2;1;5;6;" + "1;" + "1;1;3;1;" +
             "1;1;31;0;0;0;" + kTail,
         3},
        {"a gap below a turret with index 3",
         Head({{19, 1}, {30, 4}, {31, 3}}) + "2;" + "1;0;0;0;" + "3;1;5;6;" + "2;" + "1;0;1;0;" +
             "1;1;3;1;" + "1;1;31;0;0;0;" + kTail,
         4},
        {"the front gun's group names turret 5",
         Head({{19, 1}}) + "1;" + "1;0;0;0;" + "1;" + "1;1;5;1;" + "1;1;31;0;0;0;" + kTail, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsTxtParser parser;
        const auto ship = shiptest::LoadedShip(parser, c.line);
        ASSERT_TRUE(ship->Validate()) << ship->GetLastError().toStdString();

        const auto turret = ship->MakeNewTurret();
        EXPECT_EQ(turret->Index(), c.newIndex);
        EXPECT_EQ(ship->GetTurretIndex(*turret), ship->Turrets().count());
        EXPECT_TRUE(ship->Validate()) << ship->GetLastError().toStdString();

        ASSERT_TRUE(ship->RemoveTurret(*turret)) << ship->GetLastError().toStdString();
        EXPECT_EQ(Line(*ship), c.line);
        EXPECT_TRUE(ship->Validate()) << ship->GetLastError().toStdString();
    }
}

// Lines whose counts do not fit their data: every structural edit refuses
// them before it changes anything.
TEST(clsShip, EditsRefuseLinesTheyWouldCorrupt) {
    using Edit = std::function<QString(clsShip&)>;
    const Edit addTurret = [](clsShip& ship) {
        return Raised([&] { ship.MakeNewTurret(); }).description();
    };
    const Edit removeTurret = [](clsShip& ship) {
        EXPECT_FALSE(ship.RemoveTurret(*ship.Turrets().at(ship.Turrets().count())));
        return ship.GetLastError();
    };
    const Edit addGun = [](clsShip& ship) {
        return Raised([&] { ship.GunGroups().at(1)->MakeNewGun(); }).description();
    };
    const Edit removeGun = [](clsShip& ship) {
        const auto group = ship.GunGroups().at(1);
        return Raised([&] { group->RemoveGun(*group->Guns().at(1)); }).description();
    };
    const std::string textGunTotal = shiptest::WithField(Head(), 19, "many") + "1;" + "1;0;0;0;" +
                                     "1;" + "1;0;1;1;" + "1;0;0;0;0;0;" + kTail;
    const struct {
        const char* name;
        std::string line;
        Edit edit;
        QString text;
    } cases[] = {
        {"size does not match the counts", Head() + "1;" + "0;0;0;0;0;0;SS_TEST;", addTurret,
         "Calculated size of ship data does not match actual data size - should be 59 and it "
         "is 55."},
        {"negative turret count", Head() + "-1;" + "0;0;0;0;0;0;SS_TEST;", addTurret,
         "Turret count is negative (-1).\nCalculated size of ship data does not match actual "
         "data size - should be 51 and it is 55."},
        {"negative gun count",
         Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;-2;" + "0;0;0;0;0;0;0;0;0;0;0;0;" + kTail,
         addGun, "Gun count of gun group (index 0) is negative (-2)."},
        {"fewer gun groups than turrets", Head() + "1;" + "1;0;0;0;" + "0;" + kTail, removeTurret,
         "Error removing turret: \nGun group count (0) does not match turret count (1)."},
        {"text for a gun's count",
         Head() + "1;" + "1;0;0;0;" + "1;" + "1;0;1;1;" + "1;many;0;0;0;0;" + kTail, addTurret,
         "Value of field 58 is not a number."},
        {"text for the ship's gun count, adding", textGunTotal, addGun,
         "Value of field 19 is not a number."},
        {"text for the ship's gun count, removing", textGunTotal, removeGun,
         "Value of field 19 is not a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsTxtParser parser;
        const auto ship = shiptest::LoadedShip(parser, c.line);
        EXPECT_EQ(c.edit(*ship), c.text);
        EXPECT_EQ(Line(*ship), c.line);
        EXPECT_FALSE(ship->Object->Dirty());
    }
}

} // namespace
