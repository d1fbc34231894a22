// A thin wrapper over one T-file line that the ware and turret panels hand
// around; the value edit dialog reaches the line through Object.
#pragma once

#include "tfiles/clsTXTObject.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

class clsWare {
public:
    // Starts as an empty line (no store handle), never as nothing.
    std::shared_ptr<clsTXTObject> Object = std::make_shared<clsTXTObject>();

    int32_t size() const { return Object->size(); }
    QVariant Value(int32_t index) const { return Object->Value(index); }
    void SetValue(int32_t index, const QVariant& value) { Object->SetValue(index, value); }
    // Factories and docks: the race named by value 13; "" for other kinds.
    QString Race() const;
};
