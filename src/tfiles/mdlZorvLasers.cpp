#include "tfiles/mdlZorvLasers.h"

namespace mdlZorvLasers {
namespace {

tfiles::TextTable BuildLaserFieldNames() {
    return tfiles::FieldTable(0, 16,
                              {{0, "Body ID"},
                               {1, "Picture ID"},
                               {2, "Turret speed vertical"},
                               {3, "Turret speed horizontal"},
                               {4, "Unknown value"},
                               {5, "Index 1"},
                               {6, "Description"},
                               {7, "Rate of fire"},
                               {8, "Sound"},
                               {9, "Index 2"},
                               {10, "Energy"},
                               {11, "Charge rate"},
                               {12, "Volume"},
                               {13, "Price"},
                               {14, "Price modifier (1)"},
                               {15, "Price modifier (2)"},
                               {16, "Ware class"}});
}

} // namespace

tfiles::TextTable LaserFieldNames = BuildLaserFieldNames();

void InitLaserArrays() {
    LaserFieldNames = BuildLaserFieldNames();
}

} // namespace mdlZorvLasers
