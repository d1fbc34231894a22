#include "launcher/VFSFileList.h"

#include "gamefiles/mdlZorvVFS.h"

#include <QSet>

namespace launcher {

namespace {

constexpr int kMaxDepth = 64;

void listFolder(const QString& folder, int depth, QSet<QString>& visited, QList<VFSFileRow>& rows) {
    if (depth > kMaxDepth || visited.contains(folder.toLower()))
        return;
    visited.insert(folder.toLower());
    const QString pattern = folder.isEmpty() ? QStringLiteral("*") : folder + QStringLiteral("\\*");
    ZorvVFSFindData record{};
    const int32_t search = mdlZorvVFS::ZorvVFS_FindFirstFile(pattern, record);
    for (bool found = search != 0; found;
         found = mdlZorvVFS::ZorvVFS_FindNextFile(search, record) != 0) {
        const QString name = mdlZorvVFS::FindDataName(record);
        if (record.kind & 2)
            listFolder(name, depth + 1, visited, rows);
        else
            rows.append(
                {folder + QStringLiteral("\\") + name, mdlZorvVFS::FindDataRealName(record)});
    }
    mdlZorvVFS::ZorvVFS_FindClose(search);
}

} // namespace

QList<VFSFileRow> ListFiles() {
    QList<VFSFileRow> rows;
    QSet<QString> visited;
    listFolder(QString(), 0, visited, rows);
    return rows;
}

} // namespace launcher
