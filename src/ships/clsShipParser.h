// Every ship of a loaded "TShips" table as a clsShip, in name order and in
// file order. The records stay the T-file's: this is a view that follows it.
#pragma once

#include "platform/KeyedCollection.h"
#include "ships/clsShip.h"

#include <QString>

#include <cstdint>
#include <memory>

class clsTxtParser;
class clsTXTObject;

class clsShipParser {
public:
    // Keyed by the record's Key; name order and file order.
    platform::KeyedCollection<clsShip> Ships;
    platform::KeyedCollection<clsShip> UnsortedShips;
    // The T-file's FileName once loading succeeded.
    QString FileName;

    // Wraps every record and builds its sections; stops at the first ship
    // whose sections cannot be built.
    bool Load(const clsTxtParser& parser);
    // The ship of the record with that ID; nothing when absent.
    std::shared_ptr<clsShip> Find(int32_t id) const;
    // Wraps a new record and appends it to both collections; its sections
    // are left to the caller (Construct, LoadObjects).
    std::shared_ptr<clsShip> CreateShip(const std::shared_ptr<clsTXTObject>& record);
    QString GetLastError() const { return m_lastError; }

private:
    QString m_lastError;
};
