#include "tfiles/mdlZorvCockpits.h"

namespace mdlZorvCockpits {
namespace {

tfiles::TextTable BuildCockpitFieldNames() {
    return tfiles::FieldTable(7, 8, {{7, "Unknown value"}, {8, "Possible lasers"}});
}

} // namespace

tfiles::TextTable CockpitFieldNames = BuildCockpitFieldNames();

void InitCockpitArrays() {
    CockpitFieldNames = BuildCockpitFieldNames();
}

} // namespace mdlZorvCockpits
