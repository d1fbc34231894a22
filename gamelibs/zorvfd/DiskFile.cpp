#include "DiskFile.h"

#include "Packing.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvfd {

Fd::~Fd() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

namespace {

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The link's target, so a save through a link changes the linked file.
std::string resolveLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

} // namespace

std::string systemError(int code) {
    return std::strerror(code);
}

DiskKind diskKind(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return DiskKind::Missing;
    if (S_ISREG(info.st_mode))
        return DiskKind::File;
    return S_ISDIR(info.st_mode) ? DiskKind::Folder : DiskKind::Other;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool syncFolder(const std::string& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.get() >= 0 && ::fsync(fd.get()) == 0;
}

int openRegularFile(const std::string& path, int flags, Links links, std::string& error) {
    const int nofollow = links == Links::Refuse ? O_NOFOLLOW : 0;
    Fd fd(::open(path.c_str(), flags | nofollow | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        const int code = errno;
        error =
            "Cannot open file \"" + path + "\": " +
            (code == ELOOP && nofollow ? std::string("it is a symbolic link") : systemError(code)) +
            ".";
        return -1;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "\"" + path + "\" is not a file.";
        return -1;
    }
    const int status = ::fcntl(fd.get(), F_GETFL);
    if (status < 0 || ::fcntl(fd.get(), F_SETFL, status & ~O_NONBLOCK) != 0) {
        error = "Cannot open file \"" + path + "\": " + systemError(errno) + ".";
        return -1;
    }
    return fd.release();
}

bool readDiskFile(const std::string& path, std::string& bytes, std::string& error, Links links) {
    return zorvcore::readIntoString(bytes, [&](const zorvcore::Room& room, std::string_view& got) {
        return readDiskFile(path, room, got, error, links);
    });
}

bool readDiskFile(const std::string& path, const zorvcore::Room& room, std::string_view& bytes,
                  std::string& error, Links links) {
    bytes = {};
    Fd fd(openRegularFile(path, O_RDONLY, links, error));
    if (fd.get() < 0)
        return false;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        error = "Cannot read file \"" + path + "\": " + systemError(errno) + ".";
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kContentLimit) {
        error =
            "File \"" + path + "\" is larger than " + std::to_string(kContentLimit >> 20) + " MiB.";
        return false;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    char* const to = room(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd.get(), to + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = "Cannot read file \"" + path + "\": " + systemError(errno) + ".";
            return false;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes = {to, done};
    return true;
}

std::string readDiskPrefix(const std::string& path, std::size_t count) {
    std::string bytes(count, '\0'), ignored;
    Fd fd(openRegularFile(path, O_RDONLY, Links::Follow, ignored));
    const ssize_t got = fd.get() < 0 ? -1 : ::read(fd.get(), bytes.data(), count);
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

bool isSymbolicLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool keepModeAndOwner(int fd, const struct stat& old) {
    // Owner first: a change of owner may clear set-id bits of the mode. An
    // owner we may not give (another user's) leaves the group to try alone;
    // what cannot be kept at all does not stop the save.
    [[maybe_unused]] const bool owned = ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
                                        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool checkWritableTarget(const std::string& path, std::string& error) {
    const std::string target = resolveLink(path);
    const DiskKind kind = diskKind(target);
    if (kind == DiskKind::Folder || kind == DiskKind::Other) {
        error = "Cannot write \"" + path + "\": it is not a file.";
        return false;
    }
    const std::string folder = folderOf(target);
    if (diskKind(folder) != DiskKind::Folder) {
        error = "Cannot write \"" + path + "\": the folder \"" + folder + "\" does not exist.";
        return false;
    }
    if (::access(folder.c_str(), W_OK) != 0) {
        error = "Cannot write \"" + path + "\": " + systemError(errno) + ".";
        return false;
    }
    return true;
}

bool writeDiskFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                             Links links) {
    static std::atomic<unsigned> counter{0};
    if (links == Links::Refuse && isSymbolicLink(path)) {
        error = "Cannot write \"" + path + "\": it is a symbolic link.";
        return false;
    }
    const std::string target = links == Links::Follow ? resolveLink(path) : path;
    const std::string folder = folderOf(target);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;

    std::string temp;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temp = folder + "/." + fileNameOf(target) + ".tmp" + std::to_string(::getpid()) + "-" +
               std::to_string(counter++);
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw < 0 && errno != EEXIST)
            break;
    }
    if (raw < 0) {
        error = "Cannot write \"" + path + "\": " + systemError(errno) + ".";
        return false;
    }
    Fd fd(raw);
    const bool written = (!replacing || keepModeAndOwner(fd.get(), old)) &&
                         writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd.release()) == 0;
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int code = !written ? writeErrno : errno;
        ::unlink(temp.c_str());
        error = "Cannot write \"" + path + "\": " + systemError(code) + ".";
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace zorvfd
