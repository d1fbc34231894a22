#include "maps/UniverseMapOptions.h"

#include "common/mdlCommonGlobals.h"

namespace {

const QString kSubKey = QStringLiteral("UniverseMap");

} // namespace

UniverseMapOptions UniverseMapOptions::Load() {
    UniverseMapOptions options;
    const platform::RegKey key = mdlCommon::Settings().OpenRootHandleUserGE().openKey(kSubKey);
    if (!key.isValid())
        return options;
    options.showGrid = key.number(QStringLiteral("ShowGrid")).value_or(1) != 0;
    options.showNames = key.number(QStringLiteral("ShowNames")).value_or(1) != 0;
    return options;
}

void UniverseMapOptions::Save() const {
    const platform::RegKey key = mdlCommon::Settings().OpenRootHandleUserGE().createKey(kSubKey);
    key.setNumber(QStringLiteral("ShowGrid"), showGrid ? 1 : 0);
    key.setNumber(QStringLiteral("ShowNames"), showNames ? 1 : 0);
}
