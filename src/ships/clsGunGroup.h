// One gun group of a ship line: a 4-field header (0 initial laser position,
// 1 pseudo gun count, 2 turret index of its turret, 3 gun count) followed by
// its 6-field guns. The group is the entry point for adding and removing
// guns; values are read from and written to the ship's line at once.
#pragma once

#include "platform/KeyedCollection.h"

#include <QString>

#include <cstdint>
#include <memory>

class clsGun;
class clsShip;
class clsTurret;

class clsGunGroup : public std::enable_shared_from_this<clsGunGroup> {
public:
    ~clsGunGroup();

    // The owning ship; nullptr once it is gone.
    std::shared_ptr<clsShip> ship() const { return m_ship.lock(); }
    // Ship field of the header's field 0.
    int32_t offset() const { return m_offset; }
    int32_t ID() const { return m_id; }
    QString Key() const;
    int32_t size() const { return kSize; }
    // The guns in line order.
    const platform::KeyedCollection<clsGun>& Guns() const { return m_guns; }

    // The ship's turret at the 1-based position given by field 2, if any.
    std::shared_ptr<clsTurret> turret() const;
    int32_t SortIndex() const { return Value(2); }
    int32_t InitialLaserPos() const { return Value(0); }
    int32_t PseudoGunCount() const { return Value(1); }
    int32_t GunCount() const { return Value(3); }
    // Header and guns: 4 + 6 x |gun count|.
    int64_t SectionSize() const;

    int32_t Value(int32_t index) const;
    void SetValue(int32_t index, int32_t value);
    bool TranslateValue(int32_t index, QString& text) const;

    // Appends a gun after the group's last gun and renumbers and recounts.
    std::shared_ptr<clsGun> MakeNewGun();
    // Removes the given gun of this group and renumbers and recounts.
    void RemoveGun(const clsGun& gun);
    // Pseudo gun count and gun count from the guns, then the ship's totals.
    void RefreshGunCount();
    // 1-based position of the gun with the same ID; -1 when there is none.
    int32_t GetGunIndex(const clsGun& gun) const;

private:
    friend class clsShip;
    static constexpr int32_t kSize = 4;

    clsGunGroup(std::weak_ptr<clsShip> ship, int32_t id, int32_t offset);
    std::shared_ptr<clsShip> Owner() const;
    // Builds the gun objects from the gun count; once, on a fresh group.
    void CreateGuns();
    std::shared_ptr<clsGun> NewGun(int32_t offset);
    void ShiftOffset(int32_t shiftBy);
    // Moves the guns that lie after `offset` in the line.
    void ShiftGunsAfter(int32_t offset, int32_t by);

    std::weak_ptr<clsShip> m_ship;
    int32_t m_id;
    int32_t m_offset;
    platform::KeyedCollection<clsGun> m_guns;
    int32_t m_nextGunKey = 0;
};
