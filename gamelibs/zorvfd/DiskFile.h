// Raw disk access with error texts that name the path.
#pragma once
#include "zorvcore.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <sys/stat.h>

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

// Whether a symbolic link at the path is followed. A catalog's own files
// refuse links, so a planted one cannot lead outside its folder.
enum class Links { Follow, Refuse };

// Opens a regular file only: a FIFO or device is refused without waiting for
// a writer (the check is made on the open descriptor). -1 with the reason.
int openRegularFile(const std::string& path, int flags, Links links, std::string& error);

bool readDiskFile(const std::string& path, std::string& bytes, std::string& error,
                  Links links = Links::Follow);
// Reads into room(the file's size); bytes views what was read, which is less
// when the file shrank after its size was taken, never more.
bool readDiskFile(const std::string& path, const zorvcore::Room& room, std::string_view& bytes,
                  std::string& error, Links links = Links::Follow);
// At most count bytes from the start; a missing file gives nothing.
std::string readDiskPrefix(const std::string& path, std::size_t count);

// Writes a temporary file beside the target and renames it over the target,
// so the old file stays whole until the new one is complete. A followed
// symbolic link is kept and its target replaced; a refused one fails.
bool writeDiskFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                             Links links = Links::Follow);
// Gives a new file the mode, owner and group of the one it replaces; owner
// and group only where the process may change them.
bool keepModeAndOwner(int fd, const struct stat& old);
// A symbolic link of its own, whatever it points to.
bool isSymbolicLink(const std::string& path);

// Refuses early what a later commit could not do.
bool checkWritableTarget(const std::string& path, std::string& error);

std::string folderOf(const std::string& path);
bool syncFolder(const std::string& folder);
std::string systemError(int code);

} // namespace zorvfd
