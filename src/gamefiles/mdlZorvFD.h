// Bindings of the file driver library. Each function loads libzorvfd.so from
// the program's folder and binds itself by name at its first call; a library
// or function that cannot be bound throws platform::ZorvError.
#pragma once

#include <QString>

#include <cstdint>

namespace mdlZorvFD {

int32_t ZorvFD_OpenFile(const QString& path, int32_t mode, int32_t disposition, int32_t fileType);
int32_t ZorvFD_FileSize(int32_t file);
int32_t ZorvFD_ReadFile(int32_t file, void* buffer, int32_t count);
int32_t ZorvFD_CloseFile(int32_t file);
int32_t ZorvFD_FileExists(const QString& path);
int32_t ZorvFD_SetEndOfFile(int32_t file);
int32_t ZorvFD_OpenCatalog(const QString& path, int32_t flags);
int32_t ZorvFD_CloseCatalog(int32_t catalog);
int32_t ZorvFD_GetLastError();
int32_t ZorvFD_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed);
QString ZorvFD_Version();

// The library's last error as text.
QString GetLastErrorText();

} // namespace mdlZorvFD
