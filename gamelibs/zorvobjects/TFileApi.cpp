// Exported calls on whole T-files: load, save, enumerate, create and delete.
#include "ApiSupport.h"
#include "StoreHandles.h"
#include "zorvobjects.h"
#include "zorvstore.h"

#include <limits>

using namespace zorvstore;

namespace {

constexpr int32_t kTFileFlags = 1;

// The caller reports the file driver's error after a failed save, so the
// reason goes there (and to the store's own last error).
int32_t failSave(const std::string& text) {
    zorvcore::setError(zorvcore::Library::FileDriver, kFileDriverSaveFailed, text);
    return fail(kWriteFailed, text);
}

} // namespace

extern "C" {

int32_t Zorv_LoadFromFile(int32_t file, int32_t flags) try {
    constexpr const char* function = "Zorv_LoadFromFile";
    beginCall();
    if (flags != kTFileFlags)
        return fail(function, kBadArgument,
                    "flags " + std::to_string(flags) + " (1 loads a T-file, nothing else)");
    std::string content;
    std::string error;
    if (!zorvcore::readOpenFile(file, content, error))
        return fail(kReadFailed, error);
    const int32_t store = parseObject(content, zorvcore::openFilePath(file), error);
    if (store == 0)
        return fail(kNotTFile, error);
    return store;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_GetObjectType(int32_t store) try {
    beginCall();
    if (zorvcore::lookup<zorvcore::HandleObject>(store, zorvcore::HandleKind::XmlDocument))
        return ZORV_OBJECT_XML;
    return findStore("Zorv_GetObjectType", store) ? ZORV_OBJECT_TFILE : 0;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_EnumObjects(int32_t store, int32_t* array, int32_t length, int32_t* count) try {
    constexpr const char* function = "Zorv_EnumObjects";
    beginCall();
    auto file = findStore(function, store);
    if (!file)
        return 0;
    if (length < 0 || (length > 0 && !array))
        return fail(function, kBadArgument, "no room for " + std::to_string(length) + " handles");
    const auto lines = static_cast<int32_t>(file->lineCount());
    if (count)
        *count = lines;
    for (int32_t i = 0; i < length && i < lines; ++i)
        array[i] = file->line(static_cast<std::size_t>(i))->handle;
    return lines;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_TXTGetHeader(int32_t store, ZorvTXTHeader* header) try {
    constexpr const char* function = "Zorv_TXTGetHeader";
    beginCall();
    auto file = findStore(function, store);
    if (!file)
        return 0;
    if (!header)
        return fail(function, kBadArgument, "no header to fill");
    header->version = file->version();
    header->lineCount = file->recordedCount();
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_CreateObject(int32_t store, int32_t flags, int32_t before) try {
    constexpr const char* function = "Zorv_CreateObject";
    beginCall();
    auto file = findStore(function, store);
    if (!file)
        return 0;
    if (flags != kTFileFlags)
        return fail(function, kBadArgument,
                    "flags " + std::to_string(flags) + " (1 creates a T-file line)");
    if (file->lineCount() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
        return fail(function, kBadArgument, "\"" + file->name() + "\" cannot hold more lines");
    std::size_t position = file->lineCount();
    if (before != 0) {
        auto next = findLine(function, before);
        if (!next)
            return 0;
        if (next->store != file.get())
            return fail(function, kBadHandle,
                        "line handle " + std::to_string(before) + " is not a line of \"" +
                            file->name() + "\"");
        position = next->position;
    }
    auto line = std::make_shared<TFileLine>();
    line->ending = file->defaultEnding();
    line->dirty = true;
    if (registerLine(line) == 0)
        return fail(function, kNoHandles, "no handles left for a new line");
    file->insertLine(line, position);
    return line->handle;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_DeleteHandle(int32_t handle) try {
    beginCall();
    if (handle == 0)
        return 0;
    if (auto file = zorvcore::lookup<TFileStore>(handle, zorvcore::HandleKind::Store)) {
        releaseStore(*file);
        return 1;
    }
    if (zorvcore::lookup<zorvcore::HandleObject>(handle, zorvcore::HandleKind::XmlDocument))
        return zorvcore::releaseHandle(handle) ? 1 : 0;
    auto line = zorvcore::lookup<TFileLine>(handle, zorvcore::HandleKind::Line);
    if (!line)
        return fail("Zorv_DeleteHandle", kBadHandle, handleProblem(handle, "T-file store or line"));
    releaseLine(*line);
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_SaveToFile(int32_t file, int32_t store) try {
    beginCall();
    zorvcore::clearError(zorvcore::Library::FileDriver);
    auto tfile = zorvcore::lookup<TFileStore>(store, zorvcore::HandleKind::Store);
    if (!tfile)
        return failSave("Nothing was saved: handle " + std::to_string(store) +
                        " is not an open T-file.");
    const std::string path = zorvcore::openFilePath(file);
    std::string content;
    std::string problem;
    if (!tfile->serialize(content, problem))
        return failSave("T-file \"" + (path.empty() ? tfile->name() : path) +
                        "\" was not saved: " + problem + ".");
    // Committing here, not at ZorvFD_CloseFile, lets a failed write reach
    // the caller, which does not look at the close.
    std::string error;
    if (!zorvcore::writeOpenFile(file, content, error) || !zorvcore::commitOpenFile(file, error))
        return failSave(error);
    tfile->markSaved(path);
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

} // extern "C"
