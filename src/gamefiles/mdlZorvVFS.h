// Bindings of the virtual file system library (loaded and bound as mdlZorvFD).
#pragma once

#include <QString>

#include <cstdint>

#include "zorvvfs.h"

namespace mdlZorvVFS {

int32_t ZorvVFS_InitVFS(const QString& dataDirectory);
int32_t ZorvVFS_AppendCatalog(const QString& catalogPath);
int32_t ZorvVFS_LoadFile(const QString& path);
int32_t ZorvVFS_FindFirstFile(const QString& pattern, ZorvVFSFindData& data);
int32_t ZorvVFS_FindNextFile(int32_t search, ZorvVFSFindData& data);
int32_t ZorvVFS_FindClose(int32_t handle);
int32_t ZorvVFS_CatFindInit(int32_t catalog);
int32_t ZorvVFS_CatFindFirstFile(int32_t context, const QString& pattern, ZorvVFSFindData& data);
int32_t ZorvVFS_GetLastError();
int32_t ZorvVFS_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed);
QString ZorvVFS_Version();

QString GetLastErrorText();

// The two names of a find record, each cut at its first NUL (all 255 bytes
// when there is none).
QString FindDataName(const ZorvVFSFindData& data);
QString FindDataRealName(const ZorvVFSFindData& data);

} // namespace mdlZorvVFS
