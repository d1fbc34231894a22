#include "ships/widgets/ShipPanels.h"

#include "ships/widgets/ucShip.h"
#include "ships/widgets/ucTurret.h"
#include "tfiles/widgets/EditingPanel.h"

namespace ShipPanels {

void Register() {
    PanelClaims::Register(PanelClaims::Slot::Ship,
                          [](QWidget* parent) -> EditingPanel* { return new ucShip(parent); });
    PanelClaims::Register(PanelClaims::Slot::Turret,
                          [](QWidget* parent) -> EditingPanel* { return new ucTurret(parent); });
}

} // namespace ShipPanels
