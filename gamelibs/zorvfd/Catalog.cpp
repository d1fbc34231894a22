#include "Catalog.h"

#include "DiskFile.h"
#include "FdPaths.h"
#include "Packing.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
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
        !readDiskFile(pendingPathFor(catalogPath), text, ignored) || !identityOf(dataPath, current))
        return false;
    const auto newline = text.find('\n');
    if (newline == std::string::npos ||
        text.compare(0, newline, pendingHeader(current), 0, pendingHeader(current).size() - 1) != 0)
        return false;
    index = text.substr(newline + 1);
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

std::shared_ptr<const Catalog> Catalog::open(const std::string& path, std::string& error) {
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
        if (!readDiskFile(path, text, error))
            return nullptr;
    }
    DataIdentity data;
    if (!identityOf(dataPath, data)) {
        error = "Catalog " + quoted(path) + ": its data file " + quoted(dataPath) + " is missing.";
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
        std::string reason;
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
        offset += entry.size;
        catalog->byKey_.emplace(key, catalog->entries_.size());
        catalog->entries_.push_back(std::move(entry));
    }
    if (offset != data.size) {
        error = "Catalog " + quoted(path) + ": its entries add up to " + std::to_string(offset) +
                " bytes, but " + quoted(dataPath) + " holds " + std::to_string(data.size) +
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
    const std::uint64_t size = entry.size < limit ? entry.size : limit;
    const std::string name = quoted(path_ + "::" + entry.path);
    if (size > kContentLimit) {
        error = "File " + name + " is larger than " + std::to_string(kContentLimit >> 20) + " MiB.";
        return false;
    }
    Fd fd(::open(dataPath_.c_str(), O_RDONLY | O_CLOEXEC));
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (fd.get() >= 0 && done < bytes.size()) {
        const ssize_t got = ::pread(fd.get(), bytes.data() + done, bytes.size() - done,
                                    static_cast<off_t>(entry.offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    if (fd.get() < 0 || done != bytes.size()) {
        error = "Cannot read " + name + " from " + quoted(dataPath_) + ".";
        bytes.clear();
        return false;
    }
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
    std::shared_ptr<const Catalog> old;
    std::string recovered;
    const bool interrupted = pendingIndex(catalogPath, dataPath, recovered);
    if (diskKind(catalogPath) != DiskKind::Missing || interrupted) {
        old = open(catalogPath, error);
        if (!old)
            return false;
        // An interrupted rebuild is finished first: a failure below can then
        // go back to an index and a data file that match without it.
        if (interrupted) {
            if (!writeDiskFileAtomically(catalogPath, recovered, error))
                return false;
            ::unlink(pendingPath.c_str());
        }
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

    const std::string tempPath = dataPath + ".tmp";
    Fd from(old ? ::open(dataPath.c_str(), O_RDONLY | O_CLOEXEC) : -1);
    Fd to(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    struct stat oldData {};
    bool ok = to.get() >= 0 && (!old || from.get() >= 0);
    if (ok && old && ::fstat(from.get(), &oldData) == 0)
        ok = ::fchmod(to.get(), oldData.st_mode & 07777) == 0;
    std::uint64_t offset = 0;
    for (std::size_t i = 0; ok && i < entries.size(); ++i) {
        CatalogEntry& entry = entries[i];
        if (i == target) {
            ok = writeAll(to.get(), bytes);
            entry.size = bytes.size();
        } else {
            ok = copyRange(from.get(), entry.offset, entry.size, to.get());
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
    ok = ok && writeDiskFileAtomically(pendingPath, pendingHeader(written) + index, pendingError);
    const std::string previousPath = previousPathFor(dataPath);
    ::unlink(previousPath.c_str());
    const bool kept = ok && old && ::link(dataPath.c_str(), previousPath.c_str()) == 0;
    if (!ok || ::rename(tempPath.c_str(), dataPath.c_str()) != 0) {
        const int code = ok ? errno : failure;
        ::unlink(tempPath.c_str());
        if (ok)
            ::unlink(pendingPath.c_str());
        if (kept)
            ::unlink(previousPath.c_str());
        error = "Cannot write " + name + ": " +
                (pendingError.empty() ? systemError(code) + "." : pendingError);
        return false;
    }
    if (!writeDiskFileAtomically(catalogPath, index, error)) {
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
