#include "maps/MapViewFactory.h"

#include "maps/frmSectorMap.h"
#include "maps/frmUniverseMap.h"

SectorMapView* MapViewFactory::CreateSectorMap(SectorMapEvents& events) {
    return new frmSectorMap(events);
}

UniverseMapView* MapViewFactory::CreateUniverseMap(UniverseMapEvents& events) {
    return new frmUniverseMap(events);
}
