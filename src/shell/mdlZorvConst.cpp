#include "shell/mdlZorvConst.h"

namespace mdlZorvConst {

platform::BoundedArray<int32_t> LanguageIDs;
platform::BoundedArray<QString> LanguageNames;
platform::BoundedArray<QString> CommonFieldCaptions;
platform::BoundedArray<QString> CommonTailCaptions;
platform::BoundedArray<float> PriceFactors;
platform::BoundedArray<QString> RaceNames;

void InitArrays() {
    LanguageIDs = {0, {44, 49, 33}};
    LanguageNames = {
        0, {QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("French")}};
    CommonFieldCaptions = {0, {QStringLiteral("Body ID"), QStringLiteral("Picture ID")}};
    CommonTailCaptions = {0,
                          {QStringLiteral("Ware class"), QStringLiteral("Price modifier (2)"),
                           QStringLiteral("Price modifier (1)"), QStringLiteral("Price"),
                           QStringLiteral("Volume")}};
    // Shields (2) and lasers (3) store their price in units of 28.075 credits.
    PriceFactors = {1, {0.0f, 28.075f, 28.075f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f}};
    RaceNames = {1,
                 {QStringLiteral("Aubrenn"), QStringLiteral("Corvathi"), QStringLiteral("Halmorid"),
                  QStringLiteral("Ysselin"), QStringLiteral("Qethrani"), QStringLiteral("Murrowen"),
                  QStringLiteral("Pellagese"), QStringLiteral("Skerrvald"),
                  QStringLiteral("Ondeluse"), QStringLiteral("Thuvanni")}};
}

} // namespace mdlZorvConst
