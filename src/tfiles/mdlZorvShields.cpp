#include "tfiles/mdlZorvShields.h"

namespace mdlZorvShields {
namespace {

tfiles::TextTable BuildShieldFieldNames() {
    return tfiles::FieldTable(0, 15,
                              {{0, "Body ID"},
                               {1, "Picture ID"},
                               {5, "Index"},
                               {6, "Description"},
                               {8, "Strength"},
                               {11, "Volume"},
                               {12, "Price"},
                               {13, "Price modifier (1)"},
                               {14, "Price modifier (2)"},
                               {15, "Ware class"}});
}

} // namespace

tfiles::TextTable ShieldFieldNames = BuildShieldFieldNames();

void InitShieldArrays() {
    ShieldFieldNames = BuildShieldFieldNames();
}

} // namespace mdlZorvShields
