// File driver: plain and packed files on disk and inside catalogs.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// (path, 0, 0, 0) opens for reading; (path, 1, 1, type) for writing with
// type 1 plain, 2 packed, 0 keep what the file is. 0 = failure.
int32_t ZorvFD_OpenFile(const char* path, int32_t mode, int32_t disposition, int32_t fileType);
int32_t ZorvFD_FileSize(int32_t file);
// Returns the number of bytes copied into the buffer.
int32_t ZorvFD_ReadFile(int32_t file, void* buffer, int32_t count);
// A file opened for writing is committed here, atomically, when anything was written.
int32_t ZorvFD_CloseFile(int32_t file);
int32_t ZorvFD_FileExists(const char* path);
int32_t ZorvFD_SetEndOfFile(int32_t file);
int32_t ZorvFD_OpenCatalog(const char* path, int32_t flags);
int32_t ZorvFD_CloseCatalog(int32_t catalog);
int32_t ZorvFD_GetLastError(void);
// Stores the message length (without NUL) in needed; with a buffer, writes at
// most size bytes of the message, NUL-terminated when there is room.
int32_t ZorvFD_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed);
// Fills four version parts: major, minor, release, build.
void ZorvFD_Version(int32_t* parts);

#ifdef __cplusplus
}
#endif
