#include "tfiles/mdlZorvDocks.h"

namespace mdlZorvDocks {
namespace {

tfiles::TextTable BuildDockFieldNames() {
    return tfiles::FieldTable(6, 20,
                              {{6, "Description"},
                               {13, "Race"},
                               {16, "Volume"},
                               {17, "Price"},
                               {18, "Price modifier (1)"},
                               {19, "Price modifier (2)"},
                               {20, "Ware class"}});
}

} // namespace

tfiles::TextTable DockFieldNames = BuildDockFieldNames();

void InitDockArrays() {
    DockFieldNames = BuildDockFieldNames();
}

} // namespace mdlZorvDocks
