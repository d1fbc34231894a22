// Raw disk access with error texts that name the path.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvfd {

// Closes its descriptor when it goes.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes);

enum class DiskKind { Missing, File, Folder, Other };
DiskKind diskKind(const std::string& path);

bool readDiskFile(const std::string& path, std::string& bytes, std::string& error);
// At most count bytes from the start; a missing file gives nothing.
std::string readDiskPrefix(const std::string& path, std::size_t count);

// Writes a temporary file beside the target and renames it over the target,
// so the old file stays whole until the new one is complete. A symbolic link
// is followed, not replaced.
bool writeDiskFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Refuses early what a later commit could not do.
bool checkWritableTarget(const std::string& path, std::string& error);

std::string folderOf(const std::string& path);
bool syncFolder(const std::string& folder);
std::string systemError(int code);

} // namespace zorvfd
