// Ship lines: any line of a ships table builds its sections or fails, and
// Validate reports a ship that failed. On a valid ship, adding a gun or a
// turret and removing it again keeps it valid, and a fresh ship read from
// the edited line has the same sections.
#include "FuzzSupport.h"
#include "ReleaseStore.h"
#include "platform/ZorvError.h"
#include "ships/clsGunGroup.h"
#include "ships/clsShip.h"
#include "ships/clsTurret.h"
#include "tfiles/clsTxtParser.h"
#include "zorvstore.h"

namespace {

struct Shape {
    int turrets = 0;
    int groups = 0;
    int guns = 0;
    bool operator==(const Shape&) const = default;
};

Shape shapeOf(const clsShip& ship) {
    Shape shape{ship.Turrets().count(), ship.GunGroups().count(), 0};
    for (const auto& group : ship.GunGroups())
        shape.guns += group->Guns().count();
    return shape;
}

// A fresh ship over the same line must read what the edited ship holds.
void checkReread(const clsShip& ship) {
    const auto again = clsShip::Create();
    again->Object = ship.Object;
    FUZZ_PROMISE(again->LoadObjects());
    FUZZ_PROMISE(again->Validate());
    FUZZ_PROMISE(shapeOf(*again) == shapeOf(ship));
}

void checkEdits(const std::shared_ptr<clsShip>& ship) {
    const Shape before = shapeOf(*ship);
    if (ship->GunGroups().count() > 0) {
        const auto group = ship->GunGroups().at(1);
        try {
            const auto gun = group->MakeNewGun();
            FUZZ_PROMISE(ship->Validate());
            checkReread(*ship);
            group->RemoveGun(*gun);
        } catch (const platform::ZorvError&) {
        }
        FUZZ_PROMISE(ship->Validate());
        FUZZ_PROMISE(shapeOf(*ship) == before);
        checkReread(*ship);
    }
    try {
        const auto turret = ship->MakeNewTurret();
        FUZZ_PROMISE(ship->Validate());
        checkReread(*ship);
        FUZZ_PROMISE(ship->RemoveTurret(*turret));
    } catch (const platform::ZorvError&) {
    }
    FUZZ_PROMISE(ship->Validate());
    FUZZ_PROMISE(shapeOf(*ship) == before);
    checkReread(*ship);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const std::string text = "1;1;\n" + std::string(fuzzsupport::bytesOf(data, size));
    const int32_t store = zorvstore::parseTFile(text, "TShips.txt", error);
    if (store == 0)
        return 0;
    clsTxtParser parser;
    FUZZ_PROMISE(parser.LoadFromHandle(store));
    for (const auto& record : parser.UnsortedObjects) {
        const auto ship = clsShip::Create();
        ship->Object = record;
        const bool loaded = ship->LoadObjects();
        const bool valid = ship->Validate();
        FUZZ_PROMISE(loaded || !valid);
        if (valid)
            checkEdits(ship);
    }
    fuzzsupport::releaseStore(store);
    return 0;
}
