#include "ships/clsShip.h"

#include "common/mdlCommon.h"
#include "gamefiles/mdlZorvObjects.h"
#include "platform/ZorvError.h"
#include "ships/clsGun.h"
#include "ships/clsGunGroup.h"
#include "ships/clsTurret.h"
#include "ships/mdlShipValues.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QString kSource = QStringLiteral("clsShip");
constexpr int32_t kTurretSize = 4;
constexpr int32_t kGunGroupHeaderSize = 4;
constexpr int32_t kGunSize = 6;

[[noreturn]] void RaiseInvalidTurret() {
    mdlShipValues::Raise(kSource, QStringLiteral("Invalid turret passed."));
}

[[noreturn]] void RaiseOutOfStep() {
    mdlShipValues::Raise(kSource, QStringLiteral("Ship sections do not match the ship data."));
}

QString NegativeTurretCount(int32_t count) {
    return QStringLiteral("Turret count is negative (%1).").arg(count);
}

// 1-based position of the object in the collection, compared by identity;
// 0 when it is not there.
template <class T>
int32_t PositionOf(const platform::KeyedCollection<T>& collection, const T& object) {
    for (int32_t position = 1; position <= collection.count(); ++position)
        if (collection.at(position).get() == &object)
            return position;
    return 0;
}

// Adds the sections by their SortIndex, equal ones in reading order: what
// inserting each one after its equals gives, without a walk per section.
template <class T>
void AddInSortOrder(platform::KeyedCollection<T>& collection,
                    std::vector<std::shared_ptr<T>> sections) {
    std::vector<std::pair<int32_t, std::shared_ptr<T>>> keyed;
    keyed.reserve(sections.size());
    for (auto& section : sections) {
        const int32_t sortIndex = section->SortIndex();
        keyed.emplace_back(sortIndex, std::move(section));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [sortIndex, section] : keyed)
        collection.add(section, section->Key());
}

// n + 1 on a ship whose n turrets are numbered 1 to n; on any other, the
// next index no turret has, so the new turret shares neither a descriptor
// nor a gun group with another.
int32_t FreeTurretIndex(const platform::KeyedCollection<clsTurret>& turrets) {
    const auto taken = [&](int32_t index) {
        for (const auto& turret : turrets)
            if (turret->Index() == index)
                return true;
        return false;
    };
    int32_t index = turrets.count() + 1;
    while (taken(index))
        ++index;
    return index;
}

// 1-based position of the gun group a turret owns: the last one listed under
// its index, as a new group is listed after its equals; the last group when
// none is.
int32_t OwnGroupPosition(const platform::KeyedCollection<clsGunGroup>& groups,
                         int32_t turretIndex) {
    for (int32_t position = groups.count(); position >= 1; --position)
        if (groups.at(position)->SortIndex() == turretIndex)
            return position;
    return groups.count();
}

} // namespace

std::shared_ptr<clsShip> clsShip::Create() {
    return std::make_shared<clsShip>(Token{});
}

clsShip::clsShip(Token) : Object(std::make_shared<clsTXTObject>()) {}

clsShip::~clsShip() = default;

QString clsShip::Key() const {
    return Object ? Object->Key() : QString();
}

int32_t clsShip::size() const {
    return Object ? std::max(Object->size(), 0) : 0;
}

QVariant clsShip::Value(int32_t index) const {
    if (index < 0 || index >= size())
        return {};
    return Object->Value(index);
}

void clsShip::SetValue(int32_t index, const QVariant& value) {
    // The store would drop a write outside the line without a word.
    mdlCommon::RaiseIndexError(index, 0, size() - 1, kSource);
    if (!Object->SetValue(index, value))
        mdlShipValues::Raise(kSource, mdlZorvObjects::GetLastErrorText());
}

int32_t clsShip::Field(int32_t index) const {
    return mdlShipValues::ToLong(Value(index), index, kSource);
}

int32_t clsShip::TurretCount() const {
    return Field(kTurretCountField);
}

int32_t clsShip::GunCount() const {
    return Field(kGunCountField);
}

int32_t clsShip::GGCountOffset() const {
    return mdlShipValues::Saturate(kSectionTurrets + int64_t{kTurretSize} * TurretCount());
}

int64_t clsShip::GunGroupsOffset() const {
    return kSectionTurrets + 1 + int64_t{kTurretSize} * TurretCount();
}

int64_t clsShip::GunGroupsSize() const {
    int64_t total = 0;
    for (const auto& group : m_gunGroups)
        total += group->SectionSize();
    return total;
}

int32_t clsShip::DynamicDataOffset() const {
    return mdlShipValues::Saturate(GunGroupsOffset() + GunGroupsSize());
}

int32_t clsShip::GunSectionsCount() const {
    return Field(GGCountOffset());
}

void clsShip::SetGunSectionsCount(int32_t count) {
    const int32_t turrets = TurretCount();
    // The count field would then lie among the fixed fields.
    if (turrets < 0)
        mdlShipValues::Raise(kSource, NegativeTurretCount(turrets));
    SetValue(GGCountOffset(), count);
}

std::shared_ptr<clsTurret> clsShip::NewTurret(int32_t offset) {
    return std::shared_ptr<clsTurret>(new clsTurret(weak_from_this(), ++m_nextTurretKey, offset));
}

std::shared_ptr<clsGunGroup> clsShip::NewGunGroup(int32_t offset) {
    return std::shared_ptr<clsGunGroup>(
        new clsGunGroup(weak_from_this(), ++m_nextGunGroupKey, offset));
}

bool clsShip::LoadObjects() {
    m_turrets.clear();
    m_gunGroups.clear();
    try {
        const int32_t turrets = TurretCount();
        std::vector<std::shared_ptr<clsTurret>> sections;
        for (int32_t i = 0; i < turrets; ++i) {
            const int64_t offset = kSectionTurrets + int64_t{kTurretSize} * i;
            if (offset >= kMaxLineFields)
                mdlShipValues::Raise(
                    kSource,
                    QStringLiteral("Turret section (index %1) lies outside the ship data.").arg(i));
            sections.push_back(NewTurret(static_cast<int32_t>(offset)));
        }
        AddInSortOrder(m_turrets, std::move(sections));
        // With a negative turret count the gun-group fields would be fixed
        // fields; Validate reports the count.
        if (turrets < 0)
            return true;
        const int32_t groups = GunSectionsCount();
        std::vector<std::shared_ptr<clsGunGroup>> inLine;
        int64_t offset = GunGroupsOffset();
        for (int32_t i = 0; i < groups; ++i) {
            if (offset >= kMaxLineFields)
                mdlShipValues::Raise(
                    kSource,
                    QStringLiteral("Gun group (index %1) lies outside the ship data.").arg(i));
            auto group = NewGunGroup(static_cast<int32_t>(offset));
            group->CreateGuns();
            offset += group->SectionSize();
            inLine.push_back(std::move(group));
        }
        AddInSortOrder(m_gunGroups, std::move(inLine));
        return true;
    } catch (const platform::ZorvError& error) {
        SetLastError(error.description());
        return false;
    }
}

void clsShip::InsertFields(int64_t position, int32_t count) {
    const int32_t before = size();
    Object->InsertSpaceToArray(static_cast<int32_t>(position), count);
    const int32_t after = size();
    if (after == before + count)
        return;
    if (after > before)
        Object->RemoveSpaceFromArray(static_cast<int32_t>(position), after - before);
    mdlShipValues::Raise(kSource, QStringLiteral("The ship data cannot grow any further."));
}

std::shared_ptr<clsTurret> clsShip::MakeNewTurret() {
    const int32_t turrets = TurretCount();
    if (turrets >= kMaxSections)
        mdlShipValues::Raise(kSource, QStringLiteral("Maximum number of turrets reached."));
    CheckLayout();

    // Both insertions first, so that a record that cannot grow is left as
    // it was.
    const int32_t n = m_turrets.count();
    const int32_t index = FreeTurretIndex(m_turrets);
    const int32_t groups = GunSectionsCount();
    const int32_t sectionAt = kSectionTurrets + kTurretSize * n;
    const auto groupAt = static_cast<int32_t>(GunGroupsOffset() + GunGroupsSize() + kTurretSize);
    InsertFields(sectionAt, kTurretSize);
    try {
        InsertFields(groupAt, kGunGroupHeaderSize);
    } catch (const platform::ZorvError&) {
        Object->RemoveSpaceFromArray(sectionAt, kTurretSize);
        throw;
    }
    for (const auto& group : m_gunGroups)
        group->ShiftOffset(kTurretSize);

    SetValue(kTurretCountField, turrets + 1);
    auto turret = NewTurret(sectionAt);
    turret->SetValue(0, index);
    turret->SetValue(1, n);
    mdlCommon::AddSorted(m_turrets, turret, turret->Key());

    // The new group's lasers follow those of the last group in the list.
    int32_t firstLaser = 1;
    if (!m_gunGroups.isEmpty()) {
        const auto& last = m_gunGroups.at(m_gunGroups.count());
        firstLaser =
            mdlShipValues::Saturate(int64_t{last->InitialLaserPos()} + last->PseudoGunCount());
    }
    auto group = NewGunGroup(groupAt);
    group->SetValue(2, turret->Index());
    group->SetValue(0, firstLaser);
    mdlCommon::AddSorted(m_gunGroups, group, group->Key());

    SetGunSectionsCount(groups + 1);
    return turret;
}

bool clsShip::RemoveTurret(const clsTurret& turret) {
    try {
        const int32_t position = PositionOf(m_turrets, turret);
        if (position == 0)
            RaiseInvalidTurret();
        if (position < m_turrets.count())
            mdlShipValues::Raise(kSource, QStringLiteral("Can only remove last turret."));
        CheckLayout();
        const int32_t turrets = m_turrets.count();
        const int32_t groups = m_gunGroups.count();
        // Each turret owns one gun group; any other pairing has no group to
        // take away with the turret.
        if (groups != turrets)
            mdlShipValues::Raise(
                kSource, QStringLiteral("Gun group count (%1) does not match turret count (%2).")
                             .arg(groups)
                             .arg(turrets));

        // Nothing below can fail: the layout was checked.
        const int32_t groupPosition = OwnGroupPosition(m_gunGroups, turret.Index());
        const auto group = m_gunGroups.at(groupPosition);
        if (turret.HasDescriptor()) {
            const int32_t descriptor = turret.DescriptorOffset();
            SetValue(descriptor + 1, 0);
            SetValue(descriptor, 0);
        }
        SetValue(kTurretCountField, turrets - 1);
        const int32_t sectionAt = turret.offset();
        Object->RemoveSpaceFromArray(sectionAt, kTurretSize);
        for (const auto& other : m_turrets)
            if (other->m_offset > sectionAt)
                other->m_offset -= kTurretSize;
        for (const auto& other : m_gunGroups)
            other->ShiftOffset(-kTurretSize);

        const int32_t groupAt = group->offset();
        const auto groupSize = static_cast<int32_t>(group->SectionSize());
        Object->RemoveSpaceFromArray(groupAt, groupSize);
        ShiftGroupsAfter(groupAt, -groupSize);

        m_gunGroups.removeAt(groupPosition);
        m_turrets.removeAt(position);
        SetGunSectionsCount(groups - 1);
        RefreshGunCount();
        return true;
    } catch (const platform::ZorvError& error) {
        SetLastError(QStringLiteral("Error removing turret: \n") + error.description());
        return false;
    }
}

int32_t clsShip::GunGroupPosition(const clsGunGroup& group) const {
    const int32_t position = PositionOf(m_gunGroups, group);
    if (position == 0)
        mdlShipValues::Raise(kSource, QStringLiteral("Invalid gun group passed."));
    return position;
}

void clsShip::ShiftGroupsAfter(int32_t offset, int32_t by) {
    for (const auto& group : m_gunGroups)
        if (group->offset() > offset)
            group->ShiftOffset(by);
}

void clsShip::MakeNewGun(clsGunGroup& group, clsGun& gun) {
    GunGroupPosition(group);
    CheckLayout();
    const int64_t insertAt =
        int64_t{group.offset()} + kGunGroupHeaderSize + int64_t{kGunSize} * group.Guns().count();
    InsertFields(insertAt, kGunSize);
    group.SetValue(3, group.GunCount() + 1);
    SetValue(kGunCountField, mdlShipValues::Saturate(int64_t{GunCount()} + 1));
    ShiftGroupsAfter(group.offset(), kGunSize);
    gun.m_offset = static_cast<int32_t>(insertAt);
}

void clsShip::RemoveGun(clsGunGroup& group, const clsGun& gun) {
    GunGroupPosition(group);
    if (PositionOf(group.Guns(), gun) == 0)
        mdlShipValues::Raise(kSource, QStringLiteral("Invalid gun passed."));
    CheckLayout();
    const int32_t removeAt = gun.offset();
    Object->RemoveSpaceFromArray(removeAt, kGunSize);
    group.SetValue(3, group.GunCount() - 1);
    SetValue(kGunCountField, mdlShipValues::Saturate(int64_t{GunCount()} - 1));
    group.ShiftGunsAfter(removeAt, -kGunSize);
    ShiftGroupsAfter(group.offset(), -kGunSize);
}

int32_t clsShip::GetTurretIndex(const clsTurret& turret) const {
    const int32_t position = PositionOf(m_turrets, turret);
    if (position == 0)
        RaiseInvalidTurret();
    return position;
}

void clsShip::Construct() {
    Object->Construct(kEmptyShipSize);
}

bool clsShip::CheckData(QString& report) const {
    report.clear();
    const int32_t length = size();
    const int32_t turrets = TurretCount();
    bool sound = true;
    if (turrets < 0) {
        report += NegativeTurretCount(turrets) + u'\n';
        sound = false;
    } else if (const int32_t groups = GunSectionsCount(); groups < 0) {
        report += QStringLiteral("Gun group count is negative (%1).\n").arg(groups);
        sound = false;
    } else if (turrets != m_turrets.count() || groups != m_gunGroups.count()) {
        // The sections were not all built: LoadObjects failed on this line.
        report += QStringLiteral("Turret count (%1) and gun group count (%2) do not match the "
                                 "sections read (%3 and %4).\n")
                      .arg(turrets)
                      .arg(groups)
                      .arg(m_turrets.count())
                      .arg(m_gunGroups.count());
        sound = false;
    }
    int32_t counter = 0;
    for (const auto& group : m_gunGroups) {
        if (const int32_t guns = group->GunCount(); guns < 0) {
            report += QStringLiteral("Gun count of gun group (index %1) is negative (%2).\n")
                          .arg(counter)
                          .arg(guns);
            sound = false;
        } else if (guns != group->Guns().count()) {
            report += QStringLiteral("Gun count of gun group (index %1) (%2) does not match the "
                                     "guns read (%3).\n")
                          .arg(counter)
                          .arg(guns)
                          .arg(group->Guns().count());
            sound = false;
        }
        ++counter;
    }

    QString overflow;
    counter = 0;
    for (const auto& turret : m_turrets) {
        if (int64_t{turret->offset()} + kTurretSize - 1 >= length)
            overflow =
                QStringLiteral(
                    "Error while accessing data of turret (index %1). Data overflow detected.")
                    .arg(counter);
        ++counter;
    }
    int64_t sections = 0;
    int32_t gunNumber = 0;
    counter = 0;
    for (const auto& group : m_gunGroups) {
        if (overflow.isEmpty() && int64_t{group->offset()} + kGunGroupHeaderSize - 1 >= length)
            overflow = QStringLiteral("Error while accessing data of gun group (index %1). Data "
                                      "overflow detected.\n")
                           .arg(counter);
        for (const auto& gun : group->Guns()) {
            ++gunNumber;
            if (overflow.isEmpty() && int64_t{gun->offset()} + kGunSize - 1 >= length)
                overflow = QStringLiteral("Error while accessing data of gun (index %1) in gun "
                                          "group (index %2). Data overflow detected.\n")
                               .arg(gunNumber)
                               .arg(counter);
        }
        ++counter;
        sections += group->SectionSize();
    }
    report += overflow;

    const int64_t expected =
        sections + int64_t{kTurretSize} * turrets + kSectionTurrets + 1 + kTailSize;
    if (expected != length)
        report += QStringLiteral("Calculated size of ship data does not match actual data size - "
                                 "should be %1 and it is %2.")
                      .arg(expected)
                      .arg(length);
    while (report.endsWith(u'\n'))
        report.chop(1);
    return sound && overflow.isEmpty() && expected == length;
}

bool clsShip::Validate() {
    try {
        QString report;
        if (CheckData(report))
            return true;
        SetLastError(report);
        return false;
    } catch (const platform::ZorvError& error) {
        SetLastError(QStringLiteral("Error while reading data: ") + error.description());
        return false;
    }
}

void clsShip::CheckLayout() const {
    QString report;
    if (!CheckData(report))
        mdlShipValues::Raise(kSource, report);
    const int32_t turrets = TurretCount();
    if (turrets != m_turrets.count() || GunSectionsCount() != m_gunGroups.count())
        RaiseOutOfStep();
    // The gun operations count field 19 on after changing the line.
    GunCount();

    // Every section slot is held by exactly one turret; its fields are numbers.
    std::vector<bool> taken(static_cast<std::size_t>(turrets), false);
    for (const auto& turret : m_turrets) {
        const int32_t slot = (turret->offset() - kSectionTurrets) / kTurretSize;
        if (turret->offset() < kSectionTurrets ||
            (turret->offset() - kSectionTurrets) % kTurretSize || slot >= turrets ||
            taken[static_cast<std::size_t>(slot)])
            RaiseOutOfStep();
        taken[static_cast<std::size_t>(slot)] = true;
        turret->Value(0);
        turret->Value(1);
    }

    // The groups, taken in line order, tile the gun-group area exactly.
    std::vector<const clsGunGroup*> inLine;
    for (const auto& group : m_gunGroups)
        inLine.push_back(group.get());
    std::sort(inLine.begin(), inLine.end(),
              [](const clsGunGroup* a, const clsGunGroup* b) { return a->offset() < b->offset(); });
    int64_t offset = GunGroupsOffset();
    for (const clsGunGroup* group : inLine) {
        if (group->offset() != offset || group->GunCount() != group->Guns().count())
            RaiseOutOfStep();
        group->InitialLaserPos();
        group->PseudoGunCount();
        group->SortIndex();
        int64_t gunAt = offset + kGunGroupHeaderSize;
        for (const auto& gun : group->Guns()) {
            if (gun->offset() != gunAt)
                RaiseOutOfStep();
            gun->Value(0);
            gun->Value(1);
            gunAt += kGunSize;
        }
        offset += group->SectionSize();
    }
}

void clsShip::RefreshGunCount() {
    int64_t total = 0;
    int32_t start = m_gunGroups.isEmpty() ? 0 : m_gunGroups.at(1)->InitialLaserPos();
    for (const auto& group : m_gunGroups) {
        const int32_t pseudoGuns = group->PseudoGunCount();
        total += pseudoGuns;
        group->SetValue(0, start);
        start = mdlShipValues::Saturate(int64_t{start} + pseudoGuns);
    }
    SetValue(kGunCountField, mdlShipValues::Saturate(total));
}

void clsShip::ReindexGuns() {
    for (const auto& group : m_gunGroups) {
        const int32_t first = group->InitialLaserPos();
        int32_t k = 0;
        for (const auto& gun : group->Guns())
            gun->SetValue(0, mdlShipValues::Saturate(int64_t{first} + k++));
    }
}

void clsShip::ReindexTurrets() {
    int32_t index = 0;
    for (const auto& turret : m_turrets)
        turret->SetValue(0, ++index);
    index = 0;
    for (const auto& group : m_gunGroups)
        group->SetValue(2, ++index);
}
