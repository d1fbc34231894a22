#include "maps/SectorMapOptions.h"

#include "common/mdlCommonGlobals.h"

namespace {

const QString kSubKey = QStringLiteral("SectorMap");

} // namespace

SectorMapOptions SectorMapOptions::Load() {
    SectorMapOptions options;
    const platform::RegKey key = mdlCommon::Settings().OpenRootHandleUserGE().openKey(kSubKey);
    if (!key.isValid())
        return options;
    // Only the bits of the two check boxes mean something.
    if (const auto labels = key.number(QStringLiteral("labels")))
        options.labels = *labels & 3;
    if (const auto units = key.number(QStringLiteral("units")); units && *units >= 0 && *units <= 2)
        options.units = *units;
    // 2 is the grayed check box, which is not checked; beyond it no state.
    if (const auto autoSync = key.number(QStringLiteral("autosync"));
        autoSync && *autoSync >= 0 && *autoSync <= 2)
        options.autoSync = *autoSync == 1;
    if (const auto topView = key.number(QStringLiteral("topview")))
        options.topView = *topView == 1;
    return options;
}

void SectorMapOptions::Save() const {
    const platform::RegKey key = mdlCommon::Settings().OpenRootHandleUserGE().createKey(kSubKey);
    key.setNumber(QStringLiteral("labels"), labels);
    key.setNumber(QStringLiteral("units"), units);
    key.setNumber(QStringLiteral("autosync"), autoSync ? 1 : 0);
    key.setNumber(QStringLiteral("topview"), topView ? 1 : 0);
}
