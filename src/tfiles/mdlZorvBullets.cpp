#include "tfiles/mdlZorvBullets.h"

namespace mdlZorvBullets {
namespace {

tfiles::TextTable BuildBulletFieldNames() {
    return tfiles::FieldTable(0, 31,
                              {{0, "Body ID"},
                               {1, "Ammo type"},
                               {2, "X spin"},
                               {3, "Y spin"},
                               {4, "Z spin"},
                               {6, "Description"},
                               {7, "Shield damage"},
                               {8, "Energy used"},
                               {9, "Impact sound"},
                               {10, "Lifetime"},
                               {11, "Speed"},
                               {12, "Bullet type"},
                               {13, "RGB (B)"},
                               {14, "RGB (G)"},
                               {15, "RGB (R)"},
                               {20, "Impact effect"},
                               {21, "Launch effect"},
                               {22, "Hull damage"},
                               {24, "Ambient sound"}});
}

} // namespace

tfiles::TextTable BulletFieldNames = BuildBulletFieldNames();

void InitBulletArrays() {
    BulletFieldNames = BuildBulletFieldNames();
}

} // namespace mdlZorvBullets
