#include "tfiles/mdlZorvFactories.h"

namespace mdlZorvFactories {
namespace {

tfiles::TextTable BuildFactoryFieldNames() {
    return tfiles::FieldTable(0, 20,
                              {{6, "Description"},
                               {11, "Model file"},
                               {13, "Race"},
                               {14, "Explosion def"},
                               {15, "Body exlosion def"},
                               {16, "Volume"},
                               {17, "Price"},
                               {18, "Price modifier (1)"},
                               {19, "Price modifier (2)"},
                               {20, "Ware class"}});
}

} // namespace

tfiles::TextTable FactoryFieldNames = BuildFactoryFieldNames();

void InitFactoryArrays() {
    FactoryFieldNames = BuildFactoryFieldNames();
}

} // namespace mdlZorvFactories
