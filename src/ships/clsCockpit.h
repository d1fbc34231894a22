// One turret type: a line of the "TCockpits" table. Field 8 is the mask of
// compatible lasers, bit i for the laser on line i of "TLaser".
#pragma once

#include "tfiles/clsTXTObject.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <utility>

class clsCockpit {
public:
    // A turret type always stands over a record of the table.
    explicit clsCockpit(std::shared_ptr<clsTXTObject> record) : Object(std::move(record)) {}

    std::shared_ptr<clsTXTObject> Object;

    QString Key() const;
    int32_t size() const;
    float Value(int32_t index) const;
    // Raises when the store refuses the value.
    void SetValue(int32_t index, float value);
    // Field 8 rounded to a whole number, halves to even.
    int32_t CompatibleLasers() const;
};
