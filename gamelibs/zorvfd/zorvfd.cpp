// The file driver's C entry points.
#include "zorvfd.h"

#include "Catalog.h"
#include "FdPaths.h"
#include "FileAccess.h"
#include "zorvcore.h"

#include <algorithm>
#include <cstring>

using zorvcore::HandleKind;
using zorvcore::Library;

namespace {

enum ErrorCode : int32_t {
    kBadArgument = 1,
    kBadHandle = 2,
    kOpenFailed = 3,
    kWriteFailed = 4,
    kCatalogFailed = 5,
};

int32_t fail(ErrorCode code, std::string text) {
    zorvcore::setError(Library::FileDriver, code, std::move(text));
    return 0;
}

void begin() {
    zorvcore::clearError(Library::FileDriver);
}

std::shared_ptr<zorvfd::OpenFile> fileOf(int32_t file) {
    auto open = zorvcore::lookup<zorvfd::OpenFile>(file, HandleKind::File);
    if (!open)
        fail(kBadHandle, "Invalid file handle " + std::to_string(file) + ".");
    return open;
}

int32_t openForReading(const std::string& path) {
    auto open = std::make_shared<zorvfd::OpenFile>();
    open->path = path;
    std::string error;
    if (!zorvfd::readContent(path, open->content, error))
        return fail(kOpenFailed, error);
    return zorvcore::registerHandle(open);
}

int32_t openForWriting(const std::string& path, int32_t fileType) {
    auto open = std::make_shared<zorvfd::OpenFile>();
    open->path = path;
    open->writing = true;
    std::string error;
    if (!zorvfd::prepareWrite(path, fileType, open->packed, error))
        return fail(kOpenFailed, error);
    return zorvcore::registerHandle(open);
}

} // namespace

extern "C" {

int32_t ZorvFD_OpenFile(const char* path, int32_t mode, int32_t disposition, int32_t fileType) try {
    begin();
    if (!path)
        return fail(kBadArgument, "No file name was given.");
    if (mode == 0 && disposition == 0)
        return openForReading(path);
    if (mode == 1 && disposition == 1)
        return openForWriting(path, fileType);
    return fail(kBadArgument, "Cannot open \"" + std::string(path) + "\": mode " +
                                  std::to_string(mode) + " with disposition " +
                                  std::to_string(disposition) + " is not supported.");
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

int32_t ZorvFD_FileSize(int32_t file) try {
    begin();
    auto open = fileOf(file);
    return open ? static_cast<int32_t>(open->content.size()) : -1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

int32_t ZorvFD_ReadFile(int32_t file, void* buffer, int32_t count) try {
    begin();
    auto open = fileOf(file);
    if (!open)
        return 0;
    if (open->writing)
        return fail(kBadArgument, "File \"" + open->path + "\" is open for writing.");
    if (count < 0 || (count > 0 && !buffer))
        return fail(kBadArgument, "Bad buffer for reading \"" + open->path + "\".");
    const std::size_t copied =
        std::min(static_cast<std::size_t>(count), open->content.size() - open->position);
    std::memcpy(buffer, open->content.data() + open->position, copied);
    open->position += copied;
    return static_cast<int32_t>(copied);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

int32_t ZorvFD_CloseFile(int32_t file) try {
    begin();
    if (file == 0)
        return 1;
    auto open = fileOf(file);
    if (!open)
        return 0;
    std::string error;
    const bool committed = !open->writing || zorvcore::commitOpenFile(file, error);
    zorvcore::releaseHandle(file);
    return committed ? 1 : fail(kWriteFailed, error);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

int32_t ZorvFD_FileExists(const char* path) try {
    begin();
    if (!path)
        return fail(kBadArgument, "No file name was given.");
    std::string error;
    if (zorvfd::fileExists(path, error))
        return 1;
    if (!error.empty())
        fail(kOpenFailed, error);
    return 0;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

int32_t ZorvFD_SetEndOfFile(int32_t file) try {
    begin();
    auto open = fileOf(file);
    if (!open)
        return 0;
    if (!open->writing)
        return fail(kBadArgument, "File \"" + open->path + "\" is open for reading.");
    // An explicit cut of a file never written to makes it empty.
    if (open->position < open->content.size() || !open->written) {
        open->content.resize(open->position);
        open->changed = open->written = true;
    }
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

int32_t ZorvFD_OpenCatalog(const char* path, int32_t flags) try {
    begin();
    if (!path || !*path)
        return fail(kBadArgument, "No catalog name was given.");
    if (flags != 0)
        return fail(kBadArgument, "Cannot open catalog \"" + std::string(path) + "\": flags " +
                                      std::to_string(flags) + " are not supported.");
    std::string error;
    auto catalog = zorvfd::Catalog::open(path, error);
    if (!catalog)
        return fail(kCatalogFailed, error);
    return zorvcore::registerHandle(std::make_shared<zorvfd::CatalogHandle>(catalog));
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

int32_t ZorvFD_CloseCatalog(int32_t catalog) try {
    begin();
    if (catalog == 0)
        return 1;
    if (!zorvcore::lookup<zorvfd::CatalogHandle>(catalog, HandleKind::Catalog))
        return fail(kBadHandle, "Invalid catalog handle " + std::to_string(catalog) + ".");
    zorvcore::releaseHandle(catalog);
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

int32_t ZorvFD_GetLastError(void) try {
    return zorvcore::lastError(Library::FileDriver);
} catch (...) {
    return zorvcore::kCaughtExceptionCode;
}

int32_t ZorvFD_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed) try {
    return zorvcore::translateError(Library::FileDriver, code, buffer, size, needed);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::FileDriver, __func__);
}

void ZorvFD_Version(int32_t* parts) {
    if (!parts)
        return;
    const int32_t version[4] = {1, 0, 0, 1};
    std::copy(version, version + 4, parts);
}

} // extern "C"
