// Puts the ship panel and the turret-type panel into the DIV Avuruz's claim
// order. The program calls this once at start-up, before the first DIV
// Avuruz window is made; the panels live above the T-file editor's library,
// so it cannot make them itself.
#pragma once

namespace ShipPanels {

void Register();

} // namespace ShipPanels
