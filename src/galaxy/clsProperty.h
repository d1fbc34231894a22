// One attribute of a map object: its name as written in the map file and its
// whole-number value.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class clsProperty {
public:
    QString Name;
    int32_t Value = 0;

    QString Key() const { return Name; }
    void CopyTo(clsProperty& destination) const;
    std::shared_ptr<clsProperty> Clone() const;
};
