#include "ships/clsGunGroup.h"

#include "common/mdlCommon.h"
#include "platform/ZorvError.h"
#include "ships/clsGun.h"
#include "ships/clsShip.h"
#include "ships/clsTurret.h"
#include "ships/mdlShipValues.h"

#include <cstdlib>

namespace {

const QString kSource = QStringLiteral("clsGunGroup");
constexpr int32_t kGunSize = 6;

} // namespace

clsGunGroup::clsGunGroup(std::weak_ptr<clsShip> ship, int32_t id, int32_t offset)
    : m_ship(std::move(ship)), m_id(id), m_offset(offset) {}

clsGunGroup::~clsGunGroup() = default;

std::shared_ptr<clsShip> clsGunGroup::Owner() const {
    auto owner = m_ship.lock();
    if (!owner)
        mdlShipValues::Raise(kSource, QStringLiteral("The gun group no longer belongs to a ship."));
    return owner;
}

QString clsGunGroup::Key() const {
    return QString::number(m_id) + u'k';
}

std::shared_ptr<clsTurret> clsGunGroup::turret() const {
    try {
        return Owner()->Turrets().at(Value(2));
    } catch (const platform::ZorvError&) {
        return nullptr;
    }
}

int64_t clsGunGroup::SectionSize() const {
    return kSize + kGunSize * std::llabs(static_cast<int64_t>(GunCount()));
}

int32_t clsGunGroup::Value(int32_t index) const {
    mdlCommon::RaiseIndexError(index, 0, kSize - 1, kSource);
    return mdlShipValues::ToLong(Owner()->Value(m_offset + index), m_offset + index, kSource);
}

void clsGunGroup::SetValue(int32_t index, int32_t value) {
    mdlCommon::RaiseIndexError(index, 0, kSize - 1, kSource);
    Owner()->SetValue(m_offset + index, value);
}

bool clsGunGroup::TranslateValue(int32_t, QString&) const {
    return false;
}

std::shared_ptr<clsGun> clsGunGroup::NewGun(int32_t offset) {
    return std::shared_ptr<clsGun>(new clsGun(weak_from_this(), ++m_nextGunKey, offset));
}

void clsGunGroup::CreateGuns() {
    const int32_t count = GunCount();
    for (int32_t k = 0; k < count; ++k) {
        const int64_t offset = m_offset + kSize + int64_t{kGunSize} * k;
        if (offset >= clsShip::kMaxLineFields)
            mdlShipValues::Raise(
                kSource, QStringLiteral("Gun (index %1) lies outside the ship data.").arg(k));
        auto gun = NewGun(static_cast<int32_t>(offset));
        m_guns.add(gun, gun->Key());
    }
}

void clsGunGroup::ShiftOffset(int32_t shiftBy) {
    m_offset += shiftBy;
    for (const auto& gun : m_guns)
        gun->m_offset += shiftBy;
}

void clsGunGroup::ShiftGunsAfter(int32_t offset, int32_t by) {
    for (const auto& gun : m_guns)
        if (gun->m_offset > offset)
            gun->m_offset += by;
}

std::shared_ptr<clsGun> clsGunGroup::MakeNewGun() {
    const auto owner = Owner();
    auto gun = NewGun(0);
    owner->MakeNewGun(*this, *gun);
    m_guns.add(gun, gun->Key());
    owner->ReindexGuns();
    RefreshGunCount();
    return gun;
}

void clsGunGroup::RemoveGun(const clsGun& gun) {
    const auto owner = Owner();
    owner->RemoveGun(*this, gun);
    m_guns.remove(gun.Key());
    owner->ReindexGuns();
    RefreshGunCount();
}

void clsGunGroup::RefreshGunCount() {
    int64_t pseudoGuns = 0;
    for (const auto& gun : m_guns) {
        const int32_t count = gun->Value(1);
        if (count > 0)
            pseudoGuns += count;
    }
    SetValue(1, mdlShipValues::Saturate(pseudoGuns));
    SetValue(3, m_guns.count());
    const auto owner = Owner();
    owner->RefreshGunCount();
    owner->ReindexGuns();
}

int32_t clsGunGroup::GetGunIndex(const clsGun& gun) const {
    for (int32_t position = 1; position <= m_guns.count(); ++position)
        if (m_guns.at(position)->ID() == gun.ID())
            return position;
    return -1;
}
