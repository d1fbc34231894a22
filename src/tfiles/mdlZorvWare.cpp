#include "tfiles/mdlZorvWare.h"

namespace mdlZorvWare {
namespace {

tfiles::TextTable BuildWareFieldNames() {
    return tfiles::FieldTable(2, 6, {{5, "Index"}, {6, "Description"}});
}

} // namespace

tfiles::TextTable WareFieldNames = BuildWareFieldNames();

void InitWareArrays() {
    WareFieldNames = BuildWareFieldNames();
}

} // namespace mdlZorvWare
