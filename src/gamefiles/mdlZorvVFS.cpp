#include "gamefiles/mdlZorvVFS.h"

#include "gamefiles/GameLibrary.h"

#include <QFile>

#include <cstring>

namespace mdlZorvVFS {
namespace {

constinit gamefiles::GameLibrary library("libzorvvfs.so");

namespace c {
ZORV_GAME_FUNCTION(library, ZorvVFS_InitVFS);
ZORV_GAME_FUNCTION(library, ZorvVFS_AppendCatalog);
ZORV_GAME_FUNCTION(library, ZorvVFS_LoadFile);
ZORV_GAME_FUNCTION(library, ZorvVFS_FindFirstFile);
ZORV_GAME_FUNCTION(library, ZorvVFS_FindNextFile);
ZORV_GAME_FUNCTION(library, ZorvVFS_FindClose);
ZORV_GAME_FUNCTION(library, ZorvVFS_CatFindInit);
ZORV_GAME_FUNCTION(library, ZorvVFS_CatFindFirstFile);
ZORV_GAME_FUNCTION(library, ZorvVFS_GetLastError);
ZORV_GAME_FUNCTION(library, ZorvVFS_TranslateError);
ZORV_GAME_FUNCTION(library, ZorvVFS_Version);
} // namespace c

template <std::size_t N> QString FixedName(const char (&name)[N]) {
    const void* nul = std::memchr(name, '\0', N);
    const std::size_t length = nul ? static_cast<const char*>(nul) - name : N;
    return QFile::decodeName(QByteArray(name, static_cast<qsizetype>(length)));
}

} // namespace

int32_t ZorvVFS_InitVFS(const QString& dataDirectory) {
    return c::ZorvVFS_InitVFS(QFile::encodeName(dataDirectory).constData());
}

int32_t ZorvVFS_AppendCatalog(const QString& catalogPath) {
    return c::ZorvVFS_AppendCatalog(QFile::encodeName(catalogPath).constData());
}

int32_t ZorvVFS_LoadFile(const QString& path) {
    return c::ZorvVFS_LoadFile(QFile::encodeName(path).constData());
}

int32_t ZorvVFS_FindFirstFile(const QString& pattern, ZorvVFSFindData& data) {
    return c::ZorvVFS_FindFirstFile(QFile::encodeName(pattern).constData(), &data);
}

int32_t ZorvVFS_FindNextFile(int32_t search, ZorvVFSFindData& data) {
    return c::ZorvVFS_FindNextFile(search, &data);
}

int32_t ZorvVFS_FindClose(int32_t handle) {
    return c::ZorvVFS_FindClose(handle);
}

int32_t ZorvVFS_CatFindInit(int32_t catalog) {
    return c::ZorvVFS_CatFindInit(catalog);
}

int32_t ZorvVFS_CatFindFirstFile(int32_t context, const QString& pattern, ZorvVFSFindData& data) {
    return c::ZorvVFS_CatFindFirstFile(context, QFile::encodeName(pattern).constData(), &data);
}

int32_t ZorvVFS_GetLastError() {
    return c::ZorvVFS_GetLastError();
}

int32_t ZorvVFS_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed) {
    return c::ZorvVFS_TranslateError(code, buffer, size, needed);
}

QString ZorvVFS_Version() {
    int32_t parts[4] = {};
    c::ZorvVFS_Version(parts);
    return gamefiles::VersionText(parts);
}

QString GetLastErrorText() {
    return gamefiles::LastErrorText(c::ZorvVFS_GetLastError, c::ZorvVFS_TranslateError);
}

QString FindDataName(const ZorvVFSFindData& data) {
    return FixedName(data.name);
}

QString FindDataRealName(const ZorvVFSFindData& data) {
    return FixedName(data.realName);
}

} // namespace mdlZorvVFS
