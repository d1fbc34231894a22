#include "Catalog.h"

#include "DiskFile.h"
#include "FdPaths.h"
#include "Packing.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zorvfd {
namespace {

// A rebuild first writes NAME.cat.pending: a line naming the new data file
// (device, inode, size), then the new index. It is removed once NAME.cat is
// replaced. When the process stops between replacing NAME.dat and NAME.cat,
// the pending index is the one that matches the data file in place.
constexpr std::string_view kPendingTag = "zorv-pending";

std::string pendingPathFor(const std::string& catalogPath) {
    return catalogPath + ".pending";
}

// A second name of the old data file while a rebuild replaces it, so a
// rebuild whose index cannot be written can put the old pair back.
std::string previousPathFor(const std::string& dataPath) {
    return dataPath + ".previous";
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string lockPathFor(const std::string& catalogPath) {
    return folderOf(catalogPath) + "/." + fileNameOf(catalogPath) + ".lock";
}

bool endsWithCaseless(std::string_view text, std::string_view suffix) {
    return text.size() > suffix.size() &&
           lowerAscii(text.substr(text.size() - suffix.size())) == suffix;
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// ".NAME.tmp<pid>-<n>", the temporary file of an atomic write of NAME: gives
// NAME and the writer's process id.
bool splitTempName(std::string_view name, std::string_view& target, pid_t& pid) {
    const auto at = name.rfind(".tmp");
    if (name.size() < 2 || name[0] != '.' || at == std::string_view::npos || at < 2)
        return false;
    const std::string_view tail = name.substr(at + 4);
    const auto dash = tail.find('-');
    if (dash == std::string_view::npos || !allDigits(tail.substr(0, dash)) ||
        !allDigits(tail.substr(dash + 1)) || dash > 9)
        return false;
    target = name.substr(1, at - 1);
    pid = static_cast<pid_t>(std::stol(std::string(tail.substr(0, dash))));
    return true;
}

bool isRunning(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH);
}

// A unique temporary name for the new data file, created empty.
int createTempData(const std::string& dataPath, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folderOf(dataPath) + "/." + fileNameOf(dataPath) + ".tmp" +
                   std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Holds the catalog's lock while it lives. The lock file is removed by its
// holder before it lets go; a waiter that then finds its file gone tries
// again on the new one, so two holders never lock different files.
class CatalogLock {
public:
    CatalogLock() = default;
    CatalogLock(const CatalogLock&) = delete;
    CatalogLock& operator=(const CatalogLock&) = delete;
    ~CatalogLock() {
        if (fd_ < 0)
            return;
        ::unlink(path_.c_str());
        ::close(fd_);
    }

    // Waits a while for another program's rebuild. Without a lock file
    // (a folder nobody may write, so nobody rebuilds there) only a required
    // lock fails.
    bool acquire(const std::string& catalogPath, bool required, std::string& error) {
        using namespace std::chrono;
        path_ = lockPathFor(catalogPath);
        const auto deadline = steady_clock::now() + seconds(10);
        while (true) {
            // A planted link must not make the lock create a file elsewhere.
            const int fd =
                ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
            if (fd < 0) {
                const int failure = errno;
                error = "Cannot lock catalog " + quoted(catalogPath) + ": " +
                        (failure == ELOOP ? quoted(path_) + " is a symbolic link"
                                          : systemError(failure)) +
                        ".";
                return !required;
            }
            struct stat locked {};
            if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
                ::close(fd);
                error = "Cannot lock catalog " + quoted(catalogPath) + ": " + quoted(path_) +
                        " is not a file.";
                return !required;
            }
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                struct stat current {};
                if (::lstat(path_.c_str(), &current) == 0 && locked.st_dev == current.st_dev &&
                    locked.st_ino == current.st_ino) {
                    fd_ = fd;
                    return true;
                }
                ::close(fd);
                continue;
            }
            const int failure = errno;
            ::close(fd);
            if (failure != EWOULDBLOCK && failure != EINTR) {
                error = "Cannot lock catalog " + quoted(catalogPath) + ": " + systemError(failure) +
                        ".";
                return !required;
            }
            if (steady_clock::now() > deadline) {
                error = "Catalog " + quoted(catalogPath) +
                        " is being written by another program; try again later.";
                return false;
            }
            std::this_thread::sleep_for(milliseconds(5));
        }
    }

    bool held() const { return fd_ >= 0; }

private:
    std::string path_;
    int fd_ = -1;
};

bool parseSize(std::string_view text, std::uint64_t& size) {
    if (text.empty() || text.size() > 18)
        return false;
    size = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        size = size * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

struct DataIdentity {
    std::uint64_t device = 0, inode = 0, size = 0;
    bool operator==(const DataIdentity&) const = default;
};

bool identityOf(const std::string& path, DataIdentity& identity) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                static_cast<std::uint64_t>(info.st_size)};
    return true;
}

std::string pendingHeader(const DataIdentity& id) {
    return std::string(kPendingTag) + " " + std::to_string(id.device) + " " +
           std::to_string(id.inode) + " " + std::to_string(id.size) + "\n";
}

// The index of an interrupted rebuild, when it belongs to the data file in place.
bool pendingIndex(const std::string& catalogPath, const std::string& dataPath, std::string& index) {
    std::string text, ignored;
    DataIdentity current;
    if (diskKind(pendingPathFor(catalogPath)) != DiskKind::File ||
        !readDiskFile(pendingPathFor(catalogPath), text, ignored, Links::Refuse) ||
        !identityOf(dataPath, current))
        return false;
    const auto newline = text.find('\n');
    if (newline == std::string::npos ||
        text.compare(0, newline, pendingHeader(current), 0, pendingHeader(current).size() - 1) != 0)
        return false;
    index = text.substr(newline + 1);
    return true;
}

// Temporary files of rebuilds of this catalog whose writer no longer runs.
void removeDeadTemps(const std::string& catalogPath, const std::string& dataPath) {
    const std::string folder = folderOf(catalogPath);
    const std::string names[] = {fileNameOf(catalogPath), fileNameOf(pendingPathFor(catalogPath)),
                                 fileNameOf(dataPath)};
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* item = ::readdir(dir)) {
        std::string_view target;
        pid_t pid = 0;
        if (!splitTempName(item->d_name, target, pid) || isRunning(pid))
            continue;
        for (const std::string& name : names)
            if (target == name)
                ::unlink((folder + "/" + item->d_name).c_str());
    }
    ::closedir(dir);
}

// Under the lock, whatever an interrupted rebuild left: a pending index that
// matches the data file in place becomes the index (the rebuild got that
// far), anything else of it goes. False when the index cannot be written.
bool cleanUp(const std::string& catalogPath, bool scanTemps, std::string& error) {
    const std::string dataPath = Catalog::dataPathFor(catalogPath);
    const std::string pendingPath = pendingPathFor(catalogPath);
    const std::string previousPath = previousPathFor(dataPath);
    const bool leftovers =
        diskKind(pendingPath) != DiskKind::Missing || diskKind(previousPath) != DiskKind::Missing;
    std::string recovered;
    if (pendingIndex(catalogPath, dataPath, recovered) &&
        !writeDiskFileAtomically(catalogPath, recovered, error, Links::Refuse))
        return false;
    ::unlink(pendingPath.c_str());
    ::unlink(previousPath.c_str());
    if (scanTemps || leftovers)
        removeDeadTemps(catalogPath, dataPath);
    return true;
}

std::string indexText(const std::vector<CatalogEntry>& entries) {
    std::string text;
    for (const CatalogEntry& entry : entries)
        text += entry.path + " " + std::to_string(entry.size) + "\n";
    return text;
}

bool copyRange(int from, std::uint64_t offset, std::uint64_t size, int to) {
    char chunk[1 << 16];
    while (size > 0) {
        const std::size_t want =
            size < sizeof chunk ? static_cast<std::size_t>(size) : sizeof chunk;
        const ssize_t got = ::pread(from, chunk, want, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || !writeAll(to, std::string_view(chunk, static_cast<std::size_t>(got))))
            return false;
        offset += static_cast<std::uint64_t>(got);
        size -= static_cast<std::uint64_t>(got);
    }
    return true;
}

} // namespace

std::string Catalog::dataPathFor(const std::string& catalogPath) {
    std::string data = catalogPath;
    const auto dot = data.rfind('.');
    if (dot != std::string::npos && dot + 1 < data.size())
        data[dot + 1] = data[dot + 1] == 'C' ? 'D' : 'd';
    return data;
}

bool Catalog::isLeftoverName(std::string_view fileName) {
    std::string_view target;
    pid_t pid = 0;
    if (splitTempName(fileName, target, pid))
        return endsWithCaseless(target, ".cat") || endsWithCaseless(target, ".cat.pending") ||
               endsWithCaseless(target, ".dat");
    return endsWithCaseless(fileName, ".cat.pending") ||
           endsWithCaseless(fileName, ".dat.previous") ||
           (fileName.size() > 1 && fileName[0] == '.' && endsWithCaseless(fileName, ".cat.lock"));
}

std::shared_ptr<const Catalog> Catalog::open(const std::string& path, std::string& error) {
    CatalogLock lock;
    if (!lock.acquire(path, false, error))
        return nullptr;
    std::string ignored;
    if (lock.held())
        cleanUp(path, false, ignored);
    error.clear();
    return read(path, error);
}

std::shared_ptr<const Catalog> Catalog::read(const std::string& path, std::string& error) {
    auto catalog = std::make_shared<Catalog>();
    catalog->path_ = path;
    catalog->dataPath_ = dataPathFor(path);
    const std::string& dataPath = catalog->dataPath_;

    std::string text;
    if (!pendingIndex(path, dataPath, text)) {
        if (diskKind(path) != DiskKind::File) {
            error = "Catalog " + quoted(path) + " does not exist.";
            return nullptr;
        }
        if (!readDiskFile(path, text, error, Links::Refuse))
            return nullptr;
    }
    if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) > kEntryLimit) {
        error = "Catalog " + quoted(path) + ": its index has more than " +
                std::to_string(kEntryLimit) + " lines.";
        return nullptr;
    }
    if (diskKind(dataPath) == DiskKind::Missing) {
        error = "Catalog " + quoted(path) + ": its data file " + quoted(dataPath) + " is missing.";
        return nullptr;
    }
    std::string reason;
    catalog->data_ =
        std::make_unique<Fd>(openRegularFile(dataPath, O_RDONLY, Links::Refuse, reason));
    struct stat data {};
    if (catalog->data_->get() < 0 || ::fstat(catalog->data_->get(), &data) != 0) {
        error = "Catalog " + quoted(path) + ": " + reason;
        return nullptr;
    }

    std::uint64_t offset = 0;
    std::size_t lineNumber = 0;
    std::string_view rest(text);
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::string where =
            "Catalog " + quoted(path) + ", line " + std::to_string(lineNumber) + ": ";
        const auto space = line.rfind(' ');
        CatalogEntry entry;
        if (space == std::string_view::npos || !parseSize(line.substr(space + 1), entry.size)) {
            error = where + "expected an inner path, a space and a size.";
            return nullptr;
        }
        if (!normalizeInnerPath(line.substr(0, space), entry.path, reason)) {
            error = where + reason + ".";
            return nullptr;
        }
        const std::string key = lowerAscii(entry.path);
        if (catalog->byKey_.count(key) != 0) {
            error = where + "the entry " + quoted(entry.path) + " is listed twice.";
            return nullptr;
        }
        entry.offset = offset;
        if (__builtin_add_overflow(offset, entry.size, &offset)) {
            error =
                where + "the entries add up to more than " + std::to_string(UINT64_MAX) + " bytes.";
            return nullptr;
        }
        catalog->byKey_.emplace(key, catalog->entries_.size());
        catalog->entries_.push_back(std::move(entry));
    }
    if (offset != static_cast<std::uint64_t>(data.st_size)) {
        error = "Catalog " + quoted(path) + ": its entries add up to " + std::to_string(offset) +
                " bytes, but " + quoted(dataPath) + " holds " + std::to_string(data.st_size) +
                " bytes.";
        return nullptr;
    }
    return catalog;
}

const CatalogEntry* Catalog::find(std::string_view innerPath) const {
    std::string normalized, reason;
    if (!normalizeInnerPath(innerPath, normalized, reason))
        return nullptr;
    auto it = byKey_.find(lowerAscii(normalized));
    return it == byKey_.end() ? nullptr : &entries_[it->second];
}

bool Catalog::readEntry(const CatalogEntry& entry, std::string& bytes, std::string& error,
                        std::uint64_t limit) const {
    return zorvcore::readIntoString(bytes, [&](const zorvcore::Room& room, std::string_view& got) {
        return readEntry(entry, room, got, error, limit);
    });
}

bool Catalog::readEntry(const CatalogEntry& entry, const zorvcore::Room& room,
                        std::string_view& bytes, std::string& error, std::uint64_t limit) const {
    bytes = {};
    const std::uint64_t size = entry.size < limit ? entry.size : limit;
    const std::string name = quoted(path_ + "::" + entry.path);
    if (size > kContentLimit) {
        error = "File " + name + " is larger than " + std::to_string(kContentLimit >> 20) + " MiB.";
        return false;
    }
    char* const to = room(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(data_->get(), to + done, size - done, static_cast<off_t>(entry.offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    if (done != size) {
        error = "Cannot read " + name + " from " + quoted(dataPath_) + ".";
        return false;
    }
    bytes = {to, done};
    return true;
}

bool Catalog::writeEntry(const std::string& catalogPath, const std::string& innerPath,
                         std::string_view bytes, std::string& error) {
    const std::string name = quoted(catalogPath + "::" + innerPath);
    std::string normalized, reason;
    if (!normalizeInnerPath(innerPath, normalized, reason)) {
        error = "Cannot write " + name + ": " + reason + ".";
        return false;
    }
    const std::string dataPath = dataPathFor(catalogPath);
    const std::string pendingPath = pendingPathFor(catalogPath);
    // An interrupted rebuild is finished first: a failure below can then go
    // back to an index and a data file that match without it.
    CatalogLock lock;
    if (!lock.acquire(catalogPath, true, error) || !cleanUp(catalogPath, true, error))
        return false;
    for (const std::string& own : {catalogPath, dataPath})
        if (isSymbolicLink(own)) {
            error = "Cannot write " + name + ": " + quoted(own) + " is a symbolic link.";
            return false;
        }
    std::shared_ptr<const Catalog> old;
    if (diskKind(catalogPath) != DiskKind::Missing) {
        old = read(catalogPath, error);
        if (!old)
            return false;
    } else if (diskKind(dataPath) != DiskKind::Missing) {
        error = "Cannot write " + name + ": " + quoted(dataPath) +
                " exists without its index; it is left alone.";
        return false;
    } else if (!checkWritableTarget(catalogPath, error)) {
        return false;
    }

    std::vector<CatalogEntry> entries = old ? old->entries() : std::vector<CatalogEntry>();
    std::size_t target = entries.size();
    if (const CatalogEntry* existing = old ? old->find(normalized) : nullptr)
        target = static_cast<std::size_t>(existing - old->entries().data());
    else
        entries.push_back({normalized, 0, 0});

    std::string tempPath;
    const int from = old ? old->data_->get() : -1;
    Fd to(createTempData(dataPath, tempPath));
    const bool created = to.get() >= 0;
    struct stat oldData {};
    bool ok = created;
    if (ok && old && ::fstat(from, &oldData) == 0)
        ok = keepModeAndOwner(to.get(), oldData);
    std::uint64_t offset = 0;
    for (std::size_t i = 0; ok && i < entries.size(); ++i) {
        CatalogEntry& entry = entries[i];
        if (i == target) {
            ok = writeAll(to.get(), bytes);
            entry.size = bytes.size();
        } else {
            ok = copyRange(from, entry.offset, entry.size, to.get());
        }
        entry.offset = offset;
        offset += entry.size;
    }
    ok = ok && ::fsync(to.get()) == 0;
    const int failure = errno;
    ok = ::close(to.release()) == 0 && ok;
    DataIdentity written;
    ok = ok && identityOf(tempPath, written);
    const std::string index = indexText(entries);
    std::string pendingError;
    ok = ok && writeDiskFileAtomically(pendingPath, pendingHeader(written) + index, pendingError,
                                       Links::Refuse);
    const std::string previousPath = previousPathFor(dataPath);
    ::unlink(previousPath.c_str());
    const bool kept = ok && old && ::link(dataPath.c_str(), previousPath.c_str()) == 0;
    if (!ok || ::rename(tempPath.c_str(), dataPath.c_str()) != 0) {
        const int code = ok ? errno : failure;
        if (created)
            ::unlink(tempPath.c_str());
        if (ok)
            ::unlink(pendingPath.c_str());
        if (kept)
            ::unlink(previousPath.c_str());
        error = "Cannot write " + name + ": " +
                (pendingError.empty() ? systemError(code) + "." : pendingError);
        return false;
    }
    if (!writeDiskFileAtomically(catalogPath, index, error, Links::Refuse)) {
        // The new data file goes again, so the catalog reads as before.
        const bool restored = old ? kept && ::rename(previousPath.c_str(), dataPath.c_str()) == 0
                                  : ::unlink(dataPath.c_str()) == 0;
        if (restored)
            ::unlink(pendingPath.c_str());
        else
            error +=
                " The catalog is recovered from " + quoted(pendingPath) + " when it is opened.";
        return false;
    }
    ::unlink(pendingPath.c_str());
    if (kept)
        ::unlink(previousPath.c_str());
    syncFolder(folderOf(catalogPath));
    return true;
}

} // namespace zorvfd
