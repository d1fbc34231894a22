// One attribute of a map object: its name as written in the map file and its
// whole-number value.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class clsGalaxyObject;

// A whole-number value that marks its object dirty when it is changed, so a
// value changed through clsGalaxyObject::Property() is written at the next
// save. It reads and assigns as an int32_t.
class PropertyValue {
public:
    PropertyValue(int32_t value = 0) : m_value(value) {}
    // A copy belongs to no object.
    PropertyValue(const PropertyValue& other) : m_value(other.m_value) {}
    PropertyValue& operator=(const PropertyValue& other) { return *this = other.m_value; }
    PropertyValue& operator=(int32_t value);
    operator int32_t() const { return m_value; }

    PropertyValue& operator+=(int32_t step) { return *this = m_value + step; }
    PropertyValue& operator-=(int32_t step) { return *this = m_value - step; }
    PropertyValue& operator++() { return *this += 1; }
    PropertyValue& operator--() { return *this -= 1; }

private:
    friend class clsGalaxyObject;

    int32_t m_value;
    // The object holding the attribute; cleared when it lets the attribute go.
    clsGalaxyObject* m_owner = nullptr;
};

class clsProperty {
public:
    // An attribute of an object is renamed through CopyTo, whose setting of
    // the value tells the object.
    QString Name;
    PropertyValue Value;

    QString Key() const { return Name; }
    void CopyTo(clsProperty& destination) const;
    std::shared_ptr<clsProperty> Clone() const;
};
