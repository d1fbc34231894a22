// One ship line of a "TShips" table as a ship with turret sections, gun
// groups and guns. The ship keeps no copy of the values: every read and
// write goes to the record at once, and every structural edit keeps the
// counts, offsets and derived numbers of the line consistent.
//
// Layout: fields 0-47 are fixed (47 is the turret count T), then T turret
// sections of 4 fields, the gun-group count, the gun groups (a 4-field header
// followed by its 6-field guns) and the 6 tail fields of every T-file line.
// Gun groups are listed in turret order but may lie in the line in another
// order; every edit works on each group's own offset.
#pragma once

#include "platform/KeyedCollection.h"
#include "tfiles/clsTXTObject.h"

#include "zorvobjects.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

class clsGun;
class clsGunGroup;
class clsTurret;

class clsShip : public std::enable_shared_from_this<clsShip> {
    struct Token {
        explicit Token() = default;
    };

public:
    // Ships are always held by shared_ptr: their sections refer back to them.
    static std::shared_ptr<clsShip> Create();
    explicit clsShip(Token);
    ~clsShip();

    // The ship's record; it belongs to the T-file. A fresh ship holds a new,
    // empty record until its owner sets this.
    std::shared_ptr<clsTXTObject> Object;

    // One entry per turret section, ordered by turret index (ties in reading
    // order), and one per gun group, ordered by the header's turret index.
    const platform::KeyedCollection<clsTurret>& Turrets() const { return m_turrets; }
    const platform::KeyedCollection<clsGunGroup>& GunGroups() const { return m_gunGroups; }

    QString Key() const;
    int32_t size() const;
    int32_t TurretCount() const;
    int32_t GunCount() const;
    int32_t GGCountOffset() const;
    int32_t SectionTurrets() const { return kSectionTurrets; }
    int32_t DynamicDataOffset() const;
    int32_t GunSectionsCount() const;
    void SetGunSectionsCount(int32_t count);

    // A field outside the line reads as empty; writing one raises.
    QVariant Value(int32_t index) const;
    void SetValue(int32_t index, const QVariant& value);

    // Rebuilds the section objects from the counts in the line.
    bool LoadObjects();
    // Appends a turret section, under an index no other turret has, and its
    // gun group; the caller writes the descriptor. Raises when the ship is
    // full or its line is inconsistent.
    std::shared_ptr<clsTurret> MakeNewTurret();
    // Removes the last turret and its gun group; on failure the line is as
    // before and GetLastError tells why.
    bool RemoveTurret(const clsTurret& turret);
    // 1-based position in Turrets; raises for a turret not listed.
    int32_t GetTurretIndex(const clsTurret& turret) const;
    // Sizes a new record as an empty ship of 55 fields.
    void Construct();
    // Checks the sections against the line; false with the report in
    // GetLastError. A passing check leaves the last error as it was.
    bool Validate();
    // Initial laser positions of the groups, in list order, and field 19.
    void RefreshGunCount();
    // Field 0 of every gun: its group's initial laser position plus its place.
    void ReindexGuns();
    // Turret indexes and the groups' turret indexes renumbered 1 to n.
    void ReindexTurrets();
    QString GetLastError() const { return m_lastError; }

    static constexpr int32_t kEmptyShipSize = 55;
    static constexpr int32_t kMaxSections = 7;
    // Sections named by the counts are built even where they reach past the
    // line, so Validate can report the ship; only a count that reaches past
    // what any T-file line can hold is refused by LoadObjects.
    static constexpr int64_t kMaxLineFields = ZORV_MAX_LINE_VALUES;

private:
    friend class clsGunGroup;

    static constexpr int32_t kSectionTurrets = 48;
    static constexpr int32_t kTurretCountField = 47;
    static constexpr int32_t kGunCountField = 19;
    static constexpr int32_t kTailSize = 6;

    // Entry points of clsGunGroup.MakeNewGun and RemoveGun.
    void MakeNewGun(clsGunGroup& group, clsGun& gun);
    void RemoveGun(clsGunGroup& group, const clsGun& gun);

    void SetLastError(const QString& text) { m_lastError = text; }
    int32_t Field(int32_t index) const;
    int64_t GunGroupsOffset() const;
    int64_t GunGroupsSize() const;
    // Inserts fields and raises, leaving the line as it was, when the
    // record does not grow.
    void InsertFields(int64_t position, int32_t count);
    std::shared_ptr<clsTurret> NewTurret(int32_t offset);
    std::shared_ptr<clsGunGroup> NewGunGroup(int32_t offset);
    int32_t GunGroupPosition(const clsGunGroup& group) const;
    // Moves every group that lies after `offset` in the line.
    void ShiftGroupsAfter(int32_t offset, int32_t by);
    // The checks of Validate; the report starts empty on every call.
    bool CheckData(QString& report) const;
    // Raises unless the line is consistent and the section objects match it,
    // so a structural edit never starts on a layout it would corrupt.
    void CheckLayout() const;

    platform::KeyedCollection<clsTurret> m_turrets;
    platform::KeyedCollection<clsGunGroup> m_gunGroups;
    QString m_lastError;
    int32_t m_nextTurretKey = 0;
    int32_t m_nextGunGroupKey = 0;
};
