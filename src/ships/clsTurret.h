// One 4-field turret section of a ship line and, for a real turret, its
// 2-field descriptor in the fixed head. Field 0 is the turret index (1 for
// the front gun, 2 to 7 for turrets), field 1 is 0 only for the front gun.
// Values are read from and written to the ship's line at once.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class clsShip;

class clsTurret {
public:
    // The owning ship; nullptr once it is gone.
    std::shared_ptr<clsShip> ship() const { return m_ship.lock(); }
    // Ship field of the section's field 0.
    int32_t offset() const { return m_offset; }
    int32_t ID() const { return m_id; }
    QString Key() const;
    int32_t size() const { return kSize; }

    int32_t Index() const { return Value(0); }
    int32_t SortIndex() const { return Value(0); }
    bool IsTurret() const { return Value(1) != 0; }

    int32_t Value(int32_t index) const;
    void SetValue(int32_t index, int32_t value);

    // Descriptor field 0 is the turret type (a turret-type line position),
    // field 1 the position (1 to 6). A section without a descriptor (the
    // front gun, or a turret index outside 2 to 7) reads 0 and refuses writes.
    int32_t DescriptorValue(int32_t index) const;
    void SetDescriptorValue(int32_t index, int32_t value);
    int32_t DescriptorOffset() const;

    int32_t Position() const;
    QString PositionName() const;
    bool TranslateValue(int32_t index, QString& text) const;
    bool TranslateDescValue(int32_t index, QString& text) const;

private:
    friend class clsShip;
    static constexpr int32_t kSize = 4;

    clsTurret(std::weak_ptr<clsShip> ship, int32_t id, int32_t offset);
    std::shared_ptr<clsShip> Owner() const;
    // Only turret indexes 2 to 7 have a descriptor in the head.
    bool HasDescriptor() const;

    std::weak_ptr<clsShip> m_ship;
    int32_t m_id;
    int32_t m_offset;
};
