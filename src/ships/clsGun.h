// One 6-field gun of a gun group: 0 laser position, 1 count, 2-5 body and
// path IDs. Values are read from and written to the ship's line at once.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class clsGunGroup;
class clsShip;

class clsGun {
public:
    // The owning group; nullptr once it is gone.
    std::shared_ptr<clsGunGroup> gg() const { return m_group.lock(); }
    // Ship field of the gun's field 0.
    int32_t offset() const { return m_offset; }
    int32_t ID() const { return m_id; }
    QString Key() const;
    int32_t size() const { return kSize; }
    int32_t Index() const { return Value(0); }

    int32_t Value(int32_t index) const;
    void SetValue(int32_t index, int32_t value);
    bool TranslateValue(int32_t index, QString& text) const;

private:
    friend class clsGunGroup;
    friend class clsShip;
    static constexpr int32_t kSize = 6;

    clsGun(std::weak_ptr<clsGunGroup> group, int32_t id, int32_t offset);
    std::shared_ptr<clsShip> Owner() const;
    int32_t ShipField(int32_t index) const;

    std::weak_ptr<clsGunGroup> m_group;
    int32_t m_id;
    int32_t m_offset;
};
