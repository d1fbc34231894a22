// Every turret type of a loaded "TCockpits" table as a clsCockpit, in name
// order and in file order. A ship's turret descriptor names a turret type by
// its 0-based line position.
#pragma once

#include "platform/KeyedCollection.h"
#include "ships/clsCockpit.h"

#include <QString>

#include <cstdint>
#include <memory>

class clsTxtParser;

class clsCockpitParser {
public:
    platform::KeyedCollection<clsCockpit> Cockpits;
    platform::KeyedCollection<clsCockpit> UnsortedCockpits;
    QString FileName;

    bool Load(const clsTxtParser& parser);
    std::shared_ptr<clsCockpit> Find(int32_t id) const;
    // The turret type on the 0-based line; nothing when there is none.
    std::shared_ptr<clsCockpit> FindIndex(int32_t position) const;
    std::shared_ptr<clsCockpit> CreateCockpit(const std::shared_ptr<clsTXTObject>& record);
};
