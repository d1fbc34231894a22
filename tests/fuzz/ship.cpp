// Ship lines: any line of a ships table builds its sections or fails, and
// Validate reports a ship that failed. On a valid ship, adding a gun or a
// turret and removing it again keeps it valid, a refused edit leaves the
// line as it was, and a fresh ship read from the edited line has the same
// sections.
#include "FuzzSupport.h"
#include "ReleaseStore.h"
#include "platform/ZorvError.h"
#include "ships/clsGunGroup.h"
#include "ships/clsShip.h"
#include "ships/clsTurret.h"
#include "tfiles/clsTxtParser.h"
#include "zorvstore.h"

#include <QVariant>

#include <vector>

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

std::vector<QVariant> valuesOf(const clsShip& ship) {
    std::vector<QVariant> values;
    for (int32_t field = 0; field < ship.size(); ++field)
        values.push_back(ship.Value(field));
    return values;
}

// A section added and removed again: an add that raises leaves the line as
// it was; a removal either restores the ship's sections or is refused,
// leaving the line as the add left it. The ship stays valid throughout.
template <class Add, class Remove>
void checkAddRemove(const std::shared_ptr<clsShip>& ship, Add add, Remove remove) {
    const Shape before = shapeOf(*ship);
    const std::vector<QVariant> original = valuesOf(*ship);
    try {
        add();
    } catch (const platform::ZorvError&) {
        FUZZ_PROMISE(valuesOf(*ship) == original);
        return;
    }
    FUZZ_PROMISE(ship->Validate());
    checkReread(*ship);
    const std::vector<QVariant> added = valuesOf(*ship);
    bool removed = false;
    try {
        removed = remove();
    } catch (const platform::ZorvError&) {
    }
    if (removed)
        FUZZ_PROMISE(shapeOf(*ship) == before);
    else
        FUZZ_PROMISE(valuesOf(*ship) == added);
    FUZZ_PROMISE(ship->Validate());
    checkReread(*ship);
}

void checkEdits(const std::shared_ptr<clsShip>& ship) {
    if (ship->GunGroups().count() > 0) {
        const auto group = ship->GunGroups().at(1);
        std::shared_ptr<clsGun> gun;
        checkAddRemove(
            ship, [&] { gun = group->MakeNewGun(); },
            [&] {
                group->RemoveGun(*gun);
                return true;
            });
    }
    std::shared_ptr<clsTurret> turret;
    checkAddRemove(
        ship, [&] { turret = ship->MakeNewTurret(); }, [&] { return ship->RemoveTurret(*turret); });
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
