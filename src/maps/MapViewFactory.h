// The map windows that the Ruvaze Rezivo opens: the program installs one of
// these with GalaxyMapViews::SetFactory at start-up.
#pragma once

#include "galaxy/widgets/GalaxyMapViews.h"

class MapViewFactory : public GalaxyMapFactory {
public:
    SectorMapView* CreateSectorMap(SectorMapEvents& events) override;
    UniverseMapView* CreateUniverseMap(UniverseMapEvents& events) override;
};
