#include "gamefiles/mdlZorvFD.h"

#include "gamefiles/GameLibrary.h"

#include <QFile>

#include "zorvfd.h"

namespace mdlZorvFD {
namespace {

constinit gamefiles::GameLibrary library("libzorvfd.so");

namespace c {
ZORV_GAME_FUNCTION(library, ZorvFD_OpenFile);
ZORV_GAME_FUNCTION(library, ZorvFD_FileSize);
ZORV_GAME_FUNCTION(library, ZorvFD_ReadFile);
ZORV_GAME_FUNCTION(library, ZorvFD_CloseFile);
ZORV_GAME_FUNCTION(library, ZorvFD_FileExists);
ZORV_GAME_FUNCTION(library, ZorvFD_SetEndOfFile);
ZORV_GAME_FUNCTION(library, ZorvFD_OpenCatalog);
ZORV_GAME_FUNCTION(library, ZorvFD_CloseCatalog);
ZORV_GAME_FUNCTION(library, ZorvFD_GetLastError);
ZORV_GAME_FUNCTION(library, ZorvFD_TranslateError);
ZORV_GAME_FUNCTION(library, ZorvFD_Version);
} // namespace c

} // namespace

int32_t ZorvFD_OpenFile(const QString& path, int32_t mode, int32_t disposition, int32_t fileType) {
    return c::ZorvFD_OpenFile(QFile::encodeName(path).constData(), mode, disposition, fileType);
}

int32_t ZorvFD_FileSize(int32_t file) {
    return c::ZorvFD_FileSize(file);
}

int32_t ZorvFD_ReadFile(int32_t file, void* buffer, int32_t count) {
    return c::ZorvFD_ReadFile(file, buffer, count);
}

int32_t ZorvFD_CloseFile(int32_t file) {
    return c::ZorvFD_CloseFile(file);
}

int32_t ZorvFD_FileExists(const QString& path) {
    return c::ZorvFD_FileExists(QFile::encodeName(path).constData());
}

int32_t ZorvFD_SetEndOfFile(int32_t file) {
    return c::ZorvFD_SetEndOfFile(file);
}

int32_t ZorvFD_OpenCatalog(const QString& path, int32_t flags) {
    return c::ZorvFD_OpenCatalog(QFile::encodeName(path).constData(), flags);
}

int32_t ZorvFD_CloseCatalog(int32_t catalog) {
    return c::ZorvFD_CloseCatalog(catalog);
}

int32_t ZorvFD_GetLastError() {
    return c::ZorvFD_GetLastError();
}

int32_t ZorvFD_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed) {
    return c::ZorvFD_TranslateError(code, buffer, size, needed);
}

QString ZorvFD_Version() {
    int32_t parts[4] = {};
    c::ZorvFD_Version(parts);
    return gamefiles::VersionText(parts);
}

QString GetLastErrorText() {
    return gamefiles::LastErrorText(c::ZorvFD_GetLastError, c::ZorvFD_TranslateError);
}

} // namespace mdlZorvFD
