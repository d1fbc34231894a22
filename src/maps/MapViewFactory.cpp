#include "maps/MapViewFactory.h"

#include "maps/frmSectorMap.h"

SectorMapView* MapViewFactory::CreateSectorMap(SectorMapEvents& events) {
    return new frmSectorMap(events);
}

UniverseMapView* MapViewFactory::CreateUniverseMap(UniverseMapEvents&) {
    return nullptr;
}
