#include "ships/clsTurret.h"

#include "common/mdlCommon.h"
#include "platform/ZorvError.h"
#include "ships/clsShip.h"
#include "ships/mdlShipValues.h"
#include "tfiles/mdlZorvShips.h"

namespace {

const QString kSource = QStringLiteral("clsTurret");
const QString kFrontGun = QStringLiteral("front gun");
constexpr int32_t kFirstTurretIndex = 2;
constexpr int32_t kLastTurretIndex = 7;

} // namespace

clsTurret::clsTurret(std::weak_ptr<clsShip> ship, int32_t id, int32_t offset)
    : m_ship(std::move(ship)), m_id(id), m_offset(offset) {}

std::shared_ptr<clsShip> clsTurret::Owner() const {
    auto owner = m_ship.lock();
    if (!owner)
        mdlShipValues::Raise(kSource, QStringLiteral("The turret no longer belongs to a ship."));
    return owner;
}

QString clsTurret::Key() const {
    return QString::number(m_id) + u'k';
}

int32_t clsTurret::Value(int32_t index) const {
    mdlCommon::RaiseIndexError(index, 0, kSize - 1, kSource);
    return mdlShipValues::ToLong(Owner()->Value(m_offset + index), m_offset + index, kSource);
}

void clsTurret::SetValue(int32_t index, int32_t value) {
    mdlCommon::RaiseIndexError(index, 0, kSize - 1, kSource);
    Owner()->SetValue(m_offset + index, value);
}

int32_t clsTurret::DescriptorOffset() const {
    return static_cast<int32_t>(2 * static_cast<int64_t>(Value(0)) + 24);
}

bool clsTurret::HasDescriptor() const {
    const int32_t index = Value(0);
    return IsTurret() && index >= kFirstTurretIndex && index <= kLastTurretIndex;
}

int32_t clsTurret::DescriptorValue(int32_t index) const {
    mdlCommon::RaiseIndexError(index, 0, 1, kSource);
    if (!HasDescriptor())
        return 0;
    const int32_t field = DescriptorOffset() + index;
    return mdlShipValues::ToLong(Owner()->Value(field), field, kSource);
}

void clsTurret::SetDescriptorValue(int32_t index, int32_t value) {
    mdlCommon::RaiseIndexError(index, 0, 1, kSource);
    if (!IsTurret())
        throw platform::ZorvError(mdlShipValues::ModelError() + 1, kSource,
                                  QStringLiteral("Guns don't have turret descriptors."));
    // Any other index would put the descriptor over cargo, docking or
    // section fields.
    if (!HasDescriptor())
        mdlShipValues::Raise(
            kSource, QStringLiteral("Turret index %1 has no turret descriptor.").arg(Index()));
    Owner()->SetValue(DescriptorOffset() + index, value);
}

int32_t clsTurret::Position() const {
    return IsTurret() ? DescriptorValue(1) : 0;
}

QString clsTurret::PositionName() const {
    if (!IsTurret())
        return kFrontGun;
    QString name;
    if (TranslateDescValue(1, name))
        return name;
    return QString::number(Position());
}

bool clsTurret::TranslateValue(int32_t index, QString& text) const {
    if (index != 1 || Value(1) != 0)
        return false;
    text = kFrontGun;
    return true;
}

bool clsTurret::TranslateDescValue(int32_t index, QString& text) const {
    if (index != 1)
        return false;
    const int32_t position = Position();
    if (position == 0)
        return false;
    text = mdlCommon::GetArrayString(mdlZorvShips::TurretPositionNames, position);
    return true;
}
