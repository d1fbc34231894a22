#include "ships/clsShipParser.h"

#include "ships/mdlShipValues.h"
#include "tfiles/clsTxtParser.h"

namespace {

const QString kSource = QStringLiteral("clsShipParser");

std::shared_ptr<clsShip> Wrap(const std::shared_ptr<clsTXTObject>& record) {
    auto ship = clsShip::Create();
    ship->Object = record;
    return ship;
}

} // namespace

bool clsShipParser::Load(const clsTxtParser& parser) {
    Ships.clear();
    UnsortedShips.clear();
    FileName.clear();
    for (const auto& record : parser.objects) {
        auto ship = Wrap(record);
        mdlShipValues::AddUnique(Ships, ship, ship->Key(), kSource);
        if (!ship->LoadObjects()) {
            m_lastError = QStringLiteral("Error loading ship objects (ship idx=%1): %2")
                              .arg(record->Index())
                              .arg(ship->GetLastError());
            return false;
        }
    }
    FileName = parser.FileName;
    for (const auto& record : parser.UnsortedObjects)
        if (auto ship = Find(record->ID()))
            mdlShipValues::AddUnique(UnsortedShips, ship, ship->Key(), kSource);
    return true;
}

std::shared_ptr<clsShip> clsShipParser::Find(int32_t id) const {
    return Ships.find(QString::number(id) + u'k');
}

std::shared_ptr<clsShip> clsShipParser::CreateShip(const std::shared_ptr<clsTXTObject>& record) {
    auto ship = Wrap(record);
    mdlShipValues::AddUnique(Ships, ship, ship->Key(), kSource);
    mdlShipValues::AddUnique(UnsortedShips, ship, ship->Key(), kSource);
    return ship;
}
