#include "ships/clsGun.h"

#include "ships/clsGunGroup.h"
#include "ships/clsShip.h"
#include "ships/mdlShipValues.h"

namespace {

const QString kSource = QStringLiteral("clsGun");

} // namespace

clsGun::clsGun(std::weak_ptr<clsGunGroup> group, int32_t id, int32_t offset)
    : m_group(std::move(group)), m_id(id), m_offset(offset) {}

QString clsGun::Key() const {
    return QString::number(m_id) + u'k';
}

int32_t clsGun::ShipField(int32_t index) const {
    if (index < 0 || index >= kSize)
        mdlShipValues::Raise(kSource, QStringLiteral("Index out of bounds"));
    return m_offset + index;
}

std::shared_ptr<clsShip> clsGun::Owner() const {
    const auto group = gg();
    auto owner = group ? group->ship() : nullptr;
    if (!owner)
        mdlShipValues::Raise(kSource, QStringLiteral("The gun no longer belongs to a ship."));
    return owner;
}

int32_t clsGun::Value(int32_t index) const {
    const int32_t field = ShipField(index);
    return mdlShipValues::ToLong(Owner()->Value(field), field, kSource);
}

void clsGun::SetValue(int32_t index, int32_t value) {
    const int32_t field = ShipField(index);
    Owner()->SetValue(field, value);
}

bool clsGun::TranslateValue(int32_t, QString&) const {
    return false;
}
