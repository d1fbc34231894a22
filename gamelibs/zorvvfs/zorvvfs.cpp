// The virtual file system's C entry points.
#include "zorvvfs.h"

#include "Catalog.h"
#include "FolderTree.h"
#include "VirtualFileSystem.h"
#include "zorvcore.h"
#include "zorvstore.h"

#include <algorithm>
#include <cstring>
#include <vector>

using zorvcore::HandleKind;
using zorvcore::Library;

namespace {

enum ErrorCode : int32_t {
    kBadArgument = 1,
    kBadHandle = 2,
    kSourceFailed = 3,
    kNotFound = 4,
    kLoadFailed = 5,
};

int32_t fail(ErrorCode code, std::string text) {
    zorvcore::setError(Library::Vfs, code, std::move(text));
    return 0;
}

void begin() {
    zorvcore::clearError(Library::Vfs);
}

zorvvfs::VirtualFileSystem& vfs() {
    static auto* instance = new zorvvfs::VirtualFileSystem;
    return *instance;
}

// The records of one search, handed out one by one.
struct Search : zorvcore::HandleObject {
    HandleKind kind() const override { return HandleKind::Search; }
    std::vector<zorvvfs::FindRecord> records;
    std::size_t next = 0;
};

// One catalog's entries as a tree, for the catalog dialog.
struct CatalogContext : zorvcore::HandleObject {
    HandleKind kind() const override { return HandleKind::CatalogContext; }
    zorvvfs::FolderTree tree;
};

constexpr std::size_t kNameSize = sizeof(ZorvVFSFindData::name);

// The record's fields hold 255 bytes; a longer name could only be cut into
// a wrong path, so such entries are not reported.
bool fits(const zorvvfs::FindRecord& record) {
    return record.name.size() <= kNameSize && record.realName.size() <= kNameSize;
}

void fill(const zorvvfs::FindRecord& record, ZorvVFSFindData* data) {
    std::memset(data, 0, sizeof *data);
    data->kind = record.kind;
    std::memcpy(data->name, record.name.data(), record.name.size());
    std::memcpy(data->realName, record.realName.data(), record.realName.size());
}

int32_t startSearch(const zorvvfs::FolderTree& tree, const char* pattern,
                    const zorvvfs::SearchStyle& style, ZorvVFSFindData* data) {
    if (!pattern || !data)
        return fail(kBadArgument, "A search needs a pattern and a find record.");
    auto search = std::make_shared<Search>();
    search->records = tree.search(pattern, style);
    std::erase_if(search->records, [](const zorvvfs::FindRecord& r) { return !fits(r); });
    if (search->records.empty())
        return fail(kNotFound, "Nothing matches \"" + std::string(pattern) + "\".");
    fill(search->records.front(), data);
    search->next = 1;
    return zorvcore::registerHandle(search);
}

} // namespace

extern "C" {

int32_t ZorvVFS_InitVFS(const char* dataDirectory) try {
    begin();
    std::string error;
    if (!vfs().init(dataDirectory ? dataDirectory : "", error))
        return fail(kSourceFailed, error);
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

int32_t ZorvVFS_AppendCatalog(const char* catalogPath) try {
    begin();
    if (!catalogPath || !*catalogPath)
        return fail(kBadArgument, "No catalog name was given.");
    std::string error;
    if (!vfs().appendCatalog(catalogPath, error))
        return fail(kSourceFailed, error);
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

int32_t ZorvVFS_LoadFile(const char* path) try {
    begin();
    if (!path || !*path)
        return fail(kBadArgument, "No file name was given.");
    const std::string* realName = vfs().tree().findFile(path);
    if (!realName)
        return fail(kNotFound,
                    "File \"" + std::string(path) + "\" is not in the virtual file system.");
    std::string content, error;
    if (!zorvcore::readFile(*realName, content, error))
        return fail(kLoadFailed, error);
    const int32_t store = zorvstore::parseObject(content, path, error);
    if (store == 0)
        return fail(kLoadFailed,
                    error.empty() ? "Cannot load \"" + std::string(path) + "\"." : error);
    return store;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

int32_t ZorvVFS_FindFirstFile(const char* pattern, ZorvVFSFindData* data) try {
    begin();
    return startSearch(vfs().tree(), pattern, zorvvfs::SearchStyle{true, true, false}, data);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

int32_t ZorvVFS_FindNextFile(int32_t search, ZorvVFSFindData* data) try {
    begin();
    auto found = zorvcore::lookup<Search>(search, HandleKind::Search);
    if (!found)
        return fail(kBadHandle, "Invalid search handle " + std::to_string(search) + ".");
    if (!data)
        return fail(kBadArgument, "A search needs a find record.");
    if (found->next >= found->records.size())
        return 0;
    fill(found->records[found->next++], data);
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

int32_t ZorvVFS_FindClose(int32_t handle) try {
    begin();
    if (handle == 0)
        return 1;
    auto object = zorvcore::lookupHandle(handle);
    if (!object ||
        (object->kind() != HandleKind::Search && object->kind() != HandleKind::CatalogContext))
        return fail(kBadHandle, "Invalid search handle " + std::to_string(handle) + ".");
    zorvcore::releaseHandle(handle);
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

int32_t ZorvVFS_CatFindInit(int32_t catalog) try {
    begin();
    auto open = zorvcore::lookup<zorvfd::CatalogHandle>(catalog, HandleKind::Catalog);
    if (!open)
        return fail(kBadHandle, "Invalid catalog handle " + std::to_string(catalog) + ".");
    auto context = std::make_shared<CatalogContext>();
    zorvvfs::addCatalogEntries(*open->catalog, context->tree);
    return zorvcore::registerHandle(context);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

int32_t ZorvVFS_CatFindFirstFile(int32_t context, const char* pattern, ZorvVFSFindData* data) try {
    begin();
    auto found = zorvcore::lookup<CatalogContext>(context, HandleKind::CatalogContext);
    if (!found)
        return fail(kBadHandle, "Invalid catalog search context " + std::to_string(context) + ".");
    return startSearch(found->tree, pattern, zorvvfs::SearchStyle{false, false, true}, data);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

int32_t ZorvVFS_GetLastError(void) try { return zorvcore::lastError(Library::Vfs); } catch (...) {
    return zorvcore::kCaughtExceptionCode;
}

int32_t ZorvVFS_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed) try {
    return zorvcore::translateError(Library::Vfs, code, buffer, size, needed);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Vfs, __func__);
}

void ZorvVFS_Version(int32_t* parts) {
    if (!parts)
        return;
    const int32_t version[4] = {1, 0, 0, 1};
    std::copy(version, version + 4, parts);
}

} // extern "C"
