#include "galaxy/widgets/GalaxyMapViews.h"

namespace GalaxyMapViews {

namespace {
GalaxyMapFactory* installed = nullptr;
} // namespace

GalaxyMapFactory* Factory() {
    return installed;
}

void SetFactory(GalaxyMapFactory* factory) {
    installed = factory;
}

} // namespace GalaxyMapViews
