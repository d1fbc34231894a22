#include "tfiles/mdlZorvRockets.h"

namespace mdlZorvRockets {
namespace {

tfiles::TextTable BuildRocketFieldNames() {
    return tfiles::FieldTable(0, 29,
                              {{0, "Body ID"},
                               {1, "Picture ID"},
                               {2, "Turn radius (turn)"},
                               {3, "Turn radius (pitch)"},
                               {5, "Index"},
                               {6, "Description"},
                               {7, "Speed"},
                               {9, "Launch sound"},
                               {10, "Ambient sound"},
                               {12, "Shield damage"},
                               {13, "Hull damage"},
                               {14, "Lifetime"},
                               {17, "Glow effect"},
                               {18, "Explosion sound"},
                               {21, "Impact effect"},
                               {22, "Explosion effect"},
                               {24, "Model file"},
                               {25, "Volume"},
                               {26, "Price"},
                               {27, "Price modifier (1)"},
                               {28, "Price modifier (2)"},
                               {29, "Ware class"}});
}

} // namespace

tfiles::TextTable RocketFieldNames = BuildRocketFieldNames();

void InitRocketArrays() {
    RocketFieldNames = BuildRocketFieldNames();
}

} // namespace mdlZorvRockets
