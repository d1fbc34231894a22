// What the three game libraries share. It lives in libzorvfd.so, which the
// other two link against, so the process has exactly one handle space.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace zorvcore {

enum class Library { FileDriver, Vfs, Objects };

// Everything a handle can stand for. kind() lets a caller check the type
// before it casts, so a wrong-kind handle fails instead of crashing.
enum class HandleKind { File, Catalog, Search, CatalogContext, Store, Line, XmlDocument };

struct HandleObject {
    virtual ~HandleObject() = default;
    virtual HandleKind kind() const = 0;
};

// Numbers start at 1 and are never reused within the process.
int32_t registerHandle(std::shared_ptr<HandleObject> object);
std::shared_ptr<HandleObject> lookupHandle(int32_t handle);
bool releaseHandle(int32_t handle);
// Releases many under one lock; the number that were held.
std::size_t releaseHandles(std::span<const int32_t> handles);

template <class T> std::shared_ptr<T> lookup(int32_t handle, HandleKind kind) {
    auto object = lookupHandle(handle);
    if (!object || object->kind() != kind)
        return nullptr;
    return std::static_pointer_cast<T>(object);
}

// Each library keeps its own last error; every fallible call clears it on entry.
void clearError(Library library);
void setError(Library library, int32_t code, std::string text);
int32_t lastError(Library library);
int32_t translateError(Library library, int32_t code, char* buffer, int32_t size, int32_t* needed);

// No exception may leave an exported function: each one ends in a
// catch (...) that calls this. The exception in flight becomes the library's
// last error (this code, its text naming the function); the result is 0.
inline constexpr int32_t kCaughtExceptionCode = 99;
int32_t failFromException(Library library, const char* function) noexcept;

// Whole, decoded content of a file the file driver opened for reading,
// without a copy (it keeps the open file alive); null with the reason in error.
std::shared_ptr<const std::string> readOpenFile(int32_t file, std::string& error);
// Writes at the current position of a file the file driver opened for
// writing; nothing reaches the disk before commitOpenFile or
// ZorvFD_CloseFile commits it.
bool writeOpenFile(int32_t file, std::string_view content, std::string& error);
// Commits what a write handle buffered now rather than at ZorvFD_CloseFile,
// so the caller can report a failed commit. Does nothing when nothing changed;
// a failed commit is not retried when the handle is closed.
bool commitOpenFile(int32_t file, std::string& error);
// The path a file handle was opened with, for error texts.
std::string openFilePath(int32_t file);

// Memory a read puts its bytes into: room(size) gives space for size bytes
// or throws std::bad_alloc. A read may ask again (a packed file's plain size
// is known only once it is unpacked); the bytes are then in the space given
// last, and what was given before is the room's own to drop.
using Room = std::function<char*(std::size_t size)>;

// Runs a read into a room that is the string itself: the string then holds
// what was read, or nothing when the read failed.
template <class Read> bool readIntoString(std::string& bytes, Read read) {
    std::string_view got;
    const bool done = read(
        [&bytes](std::size_t size) {
            bytes.resize(size);
            return bytes.data();
        },
        got);
    bytes.resize(done ? got.size() : 0);
    return done;
}

// Whole-file read and atomic write by path (disk path or "catalog::inner").
// fileType as ZorvFD_OpenFile: 1 plain, 2 packed, 0 keep what the file is.
bool readFile(const std::string& path, std::string& content, std::string& error);
// The decoded content read into room; content views it. A plain disk file
// goes from the disk into the room without a copy.
bool readFile(const std::string& path, const Room& room, std::string_view& content,
              std::string& error);
bool writeFile(const std::string& path, std::string_view content, int32_t fileType,
               std::string& error);

} // namespace zorvcore
