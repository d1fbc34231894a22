#include "platform/Registry.h"

#include "platform/HiveFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

constexpr qint64 kMaxHiveBytes = 64LL * 1024 * 1024;

QString g_lastError;

bool fail(const QString& error) {
    g_lastError = error;
    return false;
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// Tells one version of a hive file from another: every save renames a new
// file into place, so the inode changes even when size and time do not.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    int64_t modified = 0;
    int64_t changed = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const struct stat& info) {
    return {true,
            info.st_dev,
            info.st_ino,
            info.st_size,
            info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

FileStamp stampOf(const QString& path) {
    struct stat info {};
    return ::stat(encoded(path).constData(), &info) == 0 ? stampOf(info) : FileStamp{};
}

struct CachedHive {
    FileStamp stamp;
    std::shared_ptr<const HiveNode> root;
};

QHash<QString, CachedHive>& cache() {
    static QHash<QString, CachedHive> hives;
    return hives;
}

// Unreadable hive files that could not be set aside, so they are reported
// once and never replaced.
QHash<QString, FileStamp>& heldFiles() {
    static QHash<QString, FileStamp> held;
    return held;
}

// Hive files whose failed save was reported and has not succeeded since.
QSet<QString>& failingFiles() {
    static QSet<QString> failing;
    return failing;
}

std::shared_ptr<const HiveNode> emptyHive() {
    static const auto empty = std::make_shared<const HiveNode>();
    return empty;
}

QStringList& pendingReports() {
    static QStringList pending;
    return pending;
}

void report(const QString& text) {
    pendingReports() << text;
}

std::function<void()>& reportListener() {
    static std::function<void()> listener;
    return listener;
}

// The listener hears of new reports once the folder lock is released, so no
// other process waits while the reports are shown.
class ReportWhenDone {
public:
    ReportWhenDone() : m_before(pendingReports().size()) {}
    ReportWhenDone(const ReportWhenDone&) = delete;
    ReportWhenDone& operator=(const ReportWhenDone&) = delete;
    ~ReportWhenDone() {
        if (pendingReports().size() > m_before && reportListener())
            reportListener()();
    }

private:
    qsizetype m_before;
};

bool saveFailed(const QString& path, const QString& why) {
    fail(QStringLiteral("Cannot save \"%1\": %2").arg(path, why));
    if (!failingFiles().contains(path)) {
        failingFiles().insert(path);
        report(QStringLiteral("The settings could not be saved to \"%1\":\n%2").arg(path, why));
    }
    return false;
}

QString folderOf(const QString& path) {
    return path.left(path.lastIndexOf(u'/'));
}

// Creates the folder and its missing parents, private to the user.
bool makeFolder(const QString& folder, QString& error) {
    const QByteArray path = encoded(folder);
    for (qsizetype end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '/')
            continue;
        const QByteArray part = path.left(end);
        if (::mkdir(part.constData(), 0700) == 0 || errno == EEXIST)
            continue;
        error = QStringLiteral("cannot create the folder \"%1\": %2")
                    .arg(QFile::decodeName(part), systemError());
        return false;
    }
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = QStringLiteral("\"%1\" is not a folder").arg(folder);
        return false;
    }
    return true;
}

// Serialises changes of several processes to the hives of one folder.
class FolderLock {
public:
    explicit FolderLock(const QString& folder) {
        const QByteArray path = encoded(folder + QStringLiteral("/registry.lock"));
        m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        if (m_fd < 0)
            m_error =
                QStringLiteral("cannot lock the folder \"%1\": %2").arg(folder, systemError());
    }
    ~FolderLock() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool locked() const { return m_fd >= 0; }
    const QString& error() const { return m_error; }

private:
    int m_fd = -1;
    QString m_error;
};

struct LoadedHive {
    FileStamp stamp;                // exists false: there is no file
    std::shared_ptr<HiveNode> root; // null when the file cannot be read
    QString error;
};

QByteArray readAll(int fd, qint64 size, QString& error) {
    QByteArray bytes;
    bytes.resize(size);
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.data() + done, static_cast<size_t>(size - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = systemError();
            return {};
        }
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

LoadedHive loadHive(const QString& path) {
    LoadedHive loaded;
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) {
            loaded.error = systemError();
            loaded.stamp = stampOf(path);
        }
        if (!loaded.stamp.exists)
            loaded.root = std::make_shared<HiveNode>();
        return loaded;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        loaded.error = systemError();
    } else {
        loaded.stamp = stampOf(info);
        if (!S_ISREG(info.st_mode))
            loaded.error = QStringLiteral("it is not a file");
        else if (info.st_size > kMaxHiveBytes)
            loaded.error = QStringLiteral("it is larger than 64 MiB");
    }
    QByteArray bytes;
    if (loaded.error.isEmpty())
        bytes = readAll(fd, info.st_size, loaded.error);
    ::close(fd);
    if (loaded.error.isEmpty()) {
        HiveParse parsed = parseHive(bytes);
        loaded.root = std::move(parsed.root);
        loaded.error = parsed.error;
    }
    return loaded;
}

bool isHeld(const QString& path, const FileStamp& stamp) {
    const auto held = heldFiles().constFind(path);
    return held != heldFiles().cend() && *held == stamp;
}

void hold(const QString& path, const FileStamp& stamp, const QString& why,
          const QString& moveError) {
    if (isHeld(path, stamp))
        return;
    heldFiles().insert(path, stamp);
    report(QStringLiteral("The settings file \"%1\" cannot be read (%2).\n\n"
                          "It could not be set aside (%3), so it is left as it is and "
                          "no settings are saved to it.")
               .arg(path, why, moveError));
}

// Moves an unreadable hive file out of the way, keeping it under a new name,
// and reports it. The caller holds the folder lock. False when the file was
// replaced meanwhile and should be read again.
bool setAside(const QString& path, const LoadedHive& bad) {
    if (stampOf(path) != bad.stamp)
        return false;
    QString moveError = QStringLiteral("no free name");
    for (int n = 1; n < 1000; ++n) {
        const QString copy =
            path + (n == 1 ? QStringLiteral(".bad") : QStringLiteral(".bad%1").arg(n));
        if (QFileInfo::exists(copy) || QFileInfo(copy).isSymLink())
            continue;
        if (::rename(encoded(path).constData(), encoded(copy).constData()) != 0) {
            moveError = systemError();
            break;
        }
        cache().remove(path);
        heldFiles().remove(path);
        report(QStringLiteral("The settings file \"%1\" cannot be read (%2).\n\n"
                              "It was kept as \"%3\" and the settings start afresh.")
                   .arg(path, bad.error, copy));
        return true;
    }
    hold(path, bad.stamp, bad.error, moveError);
    return true;
}

std::shared_ptr<const HiveNode> readHive(const QString& path) {
    const ReportWhenDone reports;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const FileStamp now = stampOf(path);
        const auto cached = cache().constFind(path);
        if (cached != cache().cend() && cached->stamp == now)
            return cached->root;
        if (isHeld(path, now))
            return emptyHive();
        LoadedHive loaded = loadHive(path);
        if (loaded.root) {
            cache().insert(path, {loaded.stamp, loaded.root});
            return loaded.root;
        }
        FolderLock lock(folderOf(path));
        if (!lock.locked()) {
            hold(path, loaded.stamp, loaded.error, lock.error());
            return emptyHive();
        }
        setAside(path, loaded);
    }
    return emptyHive();
}

bool replaceFile(const QString& path, const QByteArray& bytes, QString& error) {
    QByteArray temporary = encoded(path + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = systemError();
        return false;
    }
    qint64 done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t wrote =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        ok = wrote > 0;
        done += ok ? wrote : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    if (!ok)
        error = systemError();
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.constData(), encoded(path).constData()) != 0) {
        error = systemError();
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return false;
    }
    const int folder =
        ::open(encoded(folderOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

enum class Change { Failed, Unchanged, Changed };

Change failed(const QString& error) {
    g_lastError = error;
    return Change::Failed;
}
using Mutation = std::function<Change(HiveNode& root)>;

// Applies a change to the current content of the hive file and saves it.
bool changeHive(Hive hive, const Mutation& mutate) {
    const ReportWhenDone reports;
    const QString folder = Registry::folder();
    const QString path = Registry::hiveFile(hive);
    QString error;
    if (!makeFolder(folder, error))
        return saveFailed(path, error);
    FolderLock lock(folder);
    if (!lock.locked())
        return saveFailed(path, lock.error());
    std::shared_ptr<HiveNode> root;
    for (int attempt = 0; !root && attempt < 3; ++attempt) {
        LoadedHive loaded = loadHive(path);
        root = loaded.root;
        if (!root && setAside(path, loaded) && isHeld(path, loaded.stamp))
            return saveFailed(path, QStringLiteral("it holds settings that could not be read"));
    }
    if (!root)
        return saveFailed(path, QStringLiteral("it keeps changing"));
    switch (mutate(*root)) {
    case Change::Failed:
        return false;
    case Change::Unchanged:
        return true;
    case Change::Changed:
        break;
    }
    const QByteArray bytes = serializeHive(*root);
    // A file beyond the read limit would be set aside by the next reader,
    // taking every other setting with it.
    if (bytes.size() > kMaxHiveBytes)
        return saveFailed(path, QStringLiteral("the settings would be larger than 64 MiB"));
    if (!replaceFile(path, bytes, error))
        return saveFailed(path, error);
    failingFiles().remove(path);
    cache().insert(path, {stampOf(path), root});
    return true;
}

QStringList splitPath(const QString& path) {
    return path.split(u'\\', Qt::SkipEmptyParts);
}

// The node at the path; spelled receives the path in first spellings.
template <class Node>
Node* findNode(Node& root, const QStringList& names, QString* spelled = nullptr) {
    Node* node = &root;
    QStringList spelling;
    for (const QString& name : names) {
        Node* child = node->keys.find(name).get();
        if (!child)
            return nullptr;
        // Finding the first spelling takes a walk along the siblings.
        if (spelled)
            spelling << node->keys.keyAt(node->keys.indexOf(name));
        node = child;
    }
    if (spelled)
        *spelled = spelling.join(u'\\');
    return node;
}

QString keyMissing(const QString& path) {
    return QStringLiteral("The key \"%1\" does not exist.").arg(path);
}

} // namespace

namespace Registry {

QString folder() {
    const QString own = qEnvironmentVariable("ZORV_REGISTRY_DIR");
    if (!own.isEmpty())
        return own;
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(config))
        return config + QStringLiteral("/zorv-editor");
    return QDir::homePath() + QStringLiteral("/.config/zorv-editor");
}

QString hiveName(Hive hive) {
    switch (hive) {
    case Hive::HKEY_CURRENT_USER:
        return QStringLiteral("HKEY_CURRENT_USER");
    case Hive::HKEY_LOCAL_MACHINE:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case Hive::HKEY_CLASSES_ROOT:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    }
    return {};
}

QString hiveFile(Hive hive) {
    return folder() + u'/' + hiveName(hive) + QStringLiteral(".hive");
}

QString lastError() {
    return g_lastError;
}

QStringList takeReports() {
    return std::exchange(pendingReports(), {});
}

void setReportListener(std::function<void()> listener) {
    reportListener() = std::move(listener);
}

} // namespace Registry

RegKey RegKey::root(Hive hive) {
    return RegKey(hive, QString());
}

bool RegKey::exists() const {
    return m_valid && findNode(*readHive(Registry::hiveFile(m_hive)), splitPath(m_path));
}

RegKey RegKey::createKey(const QString& subKey) const {
    if (!m_valid)
        return {};
    const QStringList own = splitPath(m_path);
    const QStringList added = splitPath(subKey);
    for (const QString& name : added)
        if (!isValidKeyName(name)) {
            fail(QStringLiteral("\"%1\" is not a key name.").arg(name));
            return {};
        }
    const QStringList names = own + added;
    if (names.size() > kMaxKeyDepth) {
        fail(QStringLiteral("Keys nest at most %1 deep.").arg(kMaxKeyDepth));
        return {};
    }
    const QString file = Registry::hiveFile(m_hive);
    QString spelled;
    if (findNode(*readHive(file), names, &spelled))
        return RegKey(m_hive, spelled);
    const bool created = changeHive(m_hive, [&](HiveNode& root) {
        HiveNode* node = findNode(root, own);
        if (!node)
            return failed(keyMissing(m_path));
        Change change = Change::Unchanged;
        for (const QString& name : added) {
            auto child = node->keys.find(name);
            if (!child) {
                child = std::make_shared<HiveNode>();
                node->keys.add(child, name);
                change = Change::Changed;
            }
            node = child.get();
        }
        return change;
    });
    if (!created || !findNode(*readHive(file), names, &spelled))
        return {};
    return RegKey(m_hive, spelled);
}

RegKey RegKey::openKey(const QString& subKey) const {
    if (!m_valid)
        return {};
    QString spelled;
    if (!findNode(*readHive(Registry::hiveFile(m_hive)), splitPath(m_path) + splitPath(subKey),
                  &spelled)) {
        fail(keyMissing(m_path.isEmpty() ? subKey : m_path + u'\\' + subKey));
        return {};
    }
    return RegKey(m_hive, spelled);
}

bool RegKey::deleteKey(const QString& subKey) const {
    const QStringList names = splitPath(m_path) + splitPath(subKey);
    if (!m_valid || splitPath(subKey).isEmpty())
        return fail(QStringLiteral("No key to delete was named."));
    if (!findNode(*readHive(Registry::hiveFile(m_hive)), names))
        return fail(keyMissing(names.join(u'\\')));
    return changeHive(m_hive, [&](HiveNode& root) {
        HiveNode* parent = findNode(root, names.mid(0, names.size() - 1));
        if (!parent || !parent->keys.remove(names.last()))
            return failed(keyMissing(names.join(u'\\')));
        return Change::Changed;
    });
}

QStringList RegKey::subKeyNames() const {
    QStringList names;
    if (!m_valid)
        return names;
    const auto root = readHive(Registry::hiveFile(m_hive));
    if (const HiveNode* node = findNode(*root, splitPath(m_path)))
        for (int i = 1; i <= node->keys.count(); ++i)
            names << node->keys.keyAt(i);
    return names;
}

std::optional<RegValue> RegKey::value(const QString& name) const {
    if (!m_valid)
        return std::nullopt;
    const auto root = readHive(Registry::hiveFile(m_hive));
    const HiveNode* node = findNode(*root, splitPath(m_path));
    if (!node)
        return std::nullopt;
    const auto found = node->values.find(name);
    return found ? std::optional<RegValue>(*found) : std::nullopt;
}

std::optional<QString> RegKey::text(const QString& name) const {
    const auto found = value(name);
    return found && found->type == REG_SZ ? std::optional<QString>(found->text) : std::nullopt;
}

std::optional<int32_t> RegKey::number(const QString& name) const {
    const auto found = value(name);
    return found && found->type == REG_DWORD ? std::optional<int32_t>(found->number) : std::nullopt;
}

bool RegKey::setValue(const QString& name, const RegValue& newValue) const {
    if (!m_valid)
        return fail(QStringLiteral("The key could not be opened."));
    const QStringList path = splitPath(m_path);
    const auto root = readHive(Registry::hiveFile(m_hive));
    const HiveNode* node = findNode(*root, path);
    if (!node)
        return fail(keyMissing(m_path));
    const auto current = node->values.find(name);
    if (current && *current == newValue)
        return true;
    return changeHive(m_hive, [&](HiveNode& fresh) {
        HiveNode* target = findNode(fresh, path);
        if (!target)
            return failed(keyMissing(m_path));
        const auto stored = target->values.find(name);
        if (stored && *stored == newValue)
            return Change::Unchanged;
        if (stored)
            *stored = newValue;
        else
            target->values.add(std::make_shared<RegValue>(newValue), name);
        return Change::Changed;
    });
}

bool RegKey::setText(const QString& name, const QString& text) const {
    return setValue(name, {REG_SZ, text, 0});
}

bool RegKey::setNumber(const QString& name, int32_t number) const {
    return setValue(name, {REG_DWORD, {}, number});
}

bool RegKey::deleteValue(const QString& name) const {
    const QStringList path = splitPath(m_path);
    if (!value(name))
        return fail(QStringLiteral("The value \"%1\" does not exist.").arg(name));
    return changeHive(m_hive, [&](HiveNode& root) {
        HiveNode* node = findNode(root, path);
        if (!node || !node->values.remove(name))
            return failed(QStringLiteral("The value \"%1\" does not exist.").arg(name));
        return Change::Changed;
    });
}

QStringList RegKey::valueNames() const {
    QStringList names;
    if (!m_valid)
        return names;
    const auto root = readHive(Registry::hiveFile(m_hive));
    if (const HiveNode* node = findNode(*root, splitPath(m_path)))
        for (int i = 1; i <= node->values.count(); ++i)
            names << node->values.keyAt(i);
    return names;
}

} // namespace platform
