#include "ShipTestSupport.h"

#include "ships/clsGun.h"
#include "ships/clsGunGroup.h"
#include "ships/clsTurret.h"

#include <gtest/gtest.h>

#include <functional>

using shiptest::Head;
using shiptest::kModelError;
using shiptest::kTail;
using shiptest::Line;
using shiptest::Raised;

namespace {

// A front gun and a turret of index 2, each with its gun group; the front
// gun's group holds two guns.
std::shared_ptr<clsShip> TwoTurretShip(clsTxtParser& parser) {
    return shiptest::LoadedShip(parser, Head({{28, 3}, {29, 4}}) + "2;" + "1;0;10;11;" +
                                            "2;1;12;13;" + "2;" + "1;3;1;2;" + "1;2;0;0;0;0;" +
                                            "2;1;0;0;0;0;" + "4;0;2;0;" + kTail);
}

TEST(ShipSections, IndexesOutsideASectionAreRefused) {
    clsTxtParser parser;
    const auto ship = TwoTurretShip(parser);
    const auto turret = ship->Turrets().at(2);
    const auto group = ship->GunGroups().at(1);
    const auto gun = group->Guns().at(1);
    const std::string before = Line(*ship);
    const struct {
        const char* name;
        std::function<void()> call;
        const char* source;
        const char* text;
    } cases[] = {
        {"turret 4", [&] { turret->Value(4); }, "clsTurret", "List index out of bounds."},
        {"turret -1", [&] { turret->SetValue(-1, 9); }, "clsTurret", "List index out of bounds."},
        {"descriptor 2", [&] { turret->SetDescriptorValue(2, 9); }, "clsTurret",
         "List index out of bounds."},
        {"group 4", [&] { group->Value(4); }, "clsGunGroup", "List index out of bounds."},
        {"group -1", [&] { group->SetValue(-1, 9); }, "clsGunGroup", "List index out of bounds."},
        {"gun 6", [&] { gun->Value(6); }, "clsGun", "Index out of bounds"},
        {"gun -1", [&] { gun->SetValue(-1, 9); }, "clsGun", "Index out of bounds"},
        {"ship field past the end", [&] { ship->SetValue(ship->size(), 9); }, "clsShip",
         "List index out of bounds."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto error = Raised(c.call);
        EXPECT_EQ(error.number(), kModelError);
        EXPECT_EQ(error.source(), c.source);
        EXPECT_EQ(error.description(), c.text);
    }
    EXPECT_EQ(Line(*ship), before);
}

TEST(ShipSections, FrontGunAndTurretDescriptors) {
    clsTxtParser parser;
    const auto ship = TwoTurretShip(parser);
    const auto front = ship->Turrets().at(1);
    EXPECT_FALSE(front->IsTurret());
    EXPECT_EQ(front->Position(), 0);
    EXPECT_EQ(front->PositionName(), "front gun");
    EXPECT_EQ(front->DescriptorValue(0), 0);
    QString text;
    EXPECT_TRUE(front->TranslateValue(1, text));
    EXPECT_EQ(text, "front gun");
    const auto error = Raised([&] { front->SetDescriptorValue(1, 3); });
    EXPECT_EQ(error.number(), static_cast<int32_t>(0x80040065));
    EXPECT_EQ(error.description(), "Guns don't have turret descriptors.");

    const auto turret = ship->Turrets().at(2);
    EXPECT_TRUE(turret->IsTurret());
    EXPECT_EQ(turret->DescriptorOffset(), 28);
    EXPECT_EQ(turret->DescriptorValue(0), 3);
    EXPECT_EQ(turret->PositionName(), "right");
    EXPECT_FALSE(turret->TranslateValue(1, text));

    // Index 4 keeps its descriptor at fields 32 and 33.
    turret->SetValue(0, 4);
    turret->SetDescriptorValue(0, 8);
    turret->SetDescriptorValue(1, 9);
    EXPECT_EQ(ship->Value(32).toInt(), 8);
    EXPECT_EQ(ship->Value(33).toInt(), 9);
    EXPECT_EQ(turret->PositionName(), "N/A");
    turret->SetDescriptorValue(1, 0);
    EXPECT_EQ(turret->PositionName(), "0");
    EXPECT_FALSE(turret->TranslateDescValue(1, text));
}

TEST(ShipSections, TurretIndexesWithoutDescriptorNeverWriteOverShipFields) {
    for (const int index : {0, 1, 8, -3}) {
        SCOPED_TRACE(index);
        clsTxtParser parser;
        const auto ship = TwoTurretShip(parser);
        const auto turret = ship->Turrets().at(2);
        turret->SetValue(0, index);
        const std::string before = Line(*ship);
        EXPECT_EQ(turret->DescriptorValue(1), 0);
        EXPECT_EQ(Raised([&] { turret->SetDescriptorValue(1, 6); }).description(),
                  QStringLiteral("Turret index %1 has no turret descriptor.").arg(index));
        EXPECT_EQ(Line(*ship), before);
    }
}

TEST(ShipSections, GunGroupCountsAndGunIndexes) {
    clsTxtParser parser;
    const auto ship = TwoTurretShip(parser);
    const auto front = ship->GunGroups().at(1);
    const auto other = ship->GunGroups().at(2);
    EXPECT_EQ(front->turret(), ship->Turrets().at(1));
    EXPECT_EQ(front->SectionSize(), 16);
    other->SetValue(2, 3);
    EXPECT_EQ(other->turret(), nullptr);

    // Counts 2, 1 and then a negative one add up to 3 pseudo guns.
    const auto gun = front->MakeNewGun();
    gun->SetValue(1, -1);
    front->RefreshGunCount();
    EXPECT_EQ(front->PseudoGunCount(), 3);
    EXPECT_EQ(gun->Index(), front->InitialLaserPos() + 2);
    EXPECT_EQ(ship->GunCount(), 3);
    EXPECT_EQ(other->InitialLaserPos(), 4);

    // Guns are found by ID, so a gun of another group with the same ID counts.
    const auto stranger = other->MakeNewGun();
    EXPECT_EQ(stranger->ID(), 1);
    EXPECT_EQ(front->GetGunIndex(*stranger), 1);
    const auto third = other->MakeNewGun();
    EXPECT_EQ(third->ID(), 2);
    const auto fourth = other->MakeNewGun();
    EXPECT_EQ(front->GetGunIndex(*fourth), 3);
    const auto fifth = other->MakeNewGun();
    EXPECT_EQ(front->GetGunIndex(*fifth), -1);
    EXPECT_TRUE(ship->Validate()) << ship->GetLastError().toStdString();
}

TEST(ShipSections, SectionsOutlivingTheirShipRaiseInsteadOfDangling) {
    std::shared_ptr<clsTurret> turret;
    std::shared_ptr<clsGun> gun;
    {
        clsTxtParser parser;
        const auto ship = TwoTurretShip(parser);
        turret = ship->Turrets().at(1);
        gun = ship->GunGroups().at(1)->Guns().at(1);
    }
    EXPECT_EQ(turret->ship(), nullptr);
    EXPECT_EQ(Raised([&] { turret->Value(0); }).description(),
              "The turret no longer belongs to a ship.");
    EXPECT_EQ(Raised([&] { gun->Value(0); }).description(), "The gun no longer belongs to a ship.");
}

} // namespace
