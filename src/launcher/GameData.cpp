#include "launcher/GameData.h"

#include "common/mdlCommonGlobals.h"
#include "gamefiles/mdlZorvVFS.h"
#include "resources/clsDescServer.h"

namespace launcher {

QString OpenGameFiles() {
    const clsSettings& settings = mdlCommon::Settings();
    // A data folder that cannot be opened is noticed later, by the files
    // the editors fail to find.
    mdlZorvVFS::ZorvVFS_InitVFS(settings.ZorvPath());
    const QString mod = settings.ActiveModFullName();
    if (mod.isEmpty() || mdlZorvVFS::ZorvVFS_AppendCatalog(mod) != 0)
        return {};
    return QStringLiteral("Warning:\nError loading active mod \"%1\".\nThis is not fatal. Maybe "
                          "your \"Directory with data\" is different from real Zorv path?")
        .arg(mod);
}

QString LoadResourceStrings() {
    clsDescServer& server = DescServer();
    if (server.LoadResources(mdlCommon::Settings().DescLangID()))
        return {};
    return QStringLiteral("Error loading resources: \n\n%1\n\nObject descriptions and names "
                          "will be unavailable.")
        .arg(server.GetLastError());
}

} // namespace launcher
