// Virtual file system over the game's data folder, its catalogs and appended catalogs.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { ZORV_VFS_KIND_FILE = 1, ZORV_VFS_KIND_DIRECTORY = 2 };

typedef struct ZorvVFSFindData {
    int32_t kind;       // 2 = directory, anything else a file
    char name[255];     // path in the virtual file system, NUL-padded
    char realName[255]; // the file as the file driver opens it, NUL-padded
    char padding[2];
} ZorvVFSFindData;

int32_t ZorvVFS_InitVFS(const char* dataDirectory);
int32_t ZorvVFS_AppendCatalog(const char* catalogPath);
// Store handle of the parsed T-file, 0 = failure.
int32_t ZorvVFS_LoadFile(const char* path);
int32_t ZorvVFS_FindFirstFile(const char* pattern, ZorvVFSFindData* data);
int32_t ZorvVFS_FindNextFile(int32_t search, ZorvVFSFindData* data);
int32_t ZorvVFS_FindClose(int32_t handle);
int32_t ZorvVFS_CatFindInit(int32_t catalog);
int32_t ZorvVFS_CatFindFirstFile(int32_t context, const char* pattern, ZorvVFSFindData* data);
int32_t ZorvVFS_GetLastError(void);
int32_t ZorvVFS_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed);
void ZorvVFS_Version(int32_t* parts);

#ifdef __cplusplus
}
#endif
