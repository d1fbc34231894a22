// The catalog format: what an index may hold, and how a write rebuilds it.
#include "fdTestSupport.h"
#include "zorvcore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fdtest;
using testing::HasSubstr;

namespace {

std::string catPath(const std::string& name) {
    return data(name).string();
}

// Takes every temporary name that an atomic write of that catalog's index
// could use, so that write fails.
void blockIndexWrites(const std::string& catalogName) {
    for (int n = 0; n < 2048; ++n)
        testsupport::writeFile(
            data("." + catalogName + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(n)),
            "");
}

// 19 entries whose sizes add up to 2^64 + 2.
std::string wrappingIndex() {
    std::string index;
    for (int i = 0; i < 18; ++i)
        index += "e" + std::to_string(i) + " 999999999999999999\n";
    return index + "last 446744073709551636\n";
}

} // namespace

TEST(FdCatalog, BadIndexIsRefusedWithPathAndLine) {
    struct Case {
        std::string index;
        std::string dat;
        std::string expected;
    };
    const Case cases[] = {
        {"a.txt 1\n..\\b.txt 1\n", "xy", "line 2: the path \"..\\b.txt\" contains \"..\""},
        {"a\\..\\b.txt 1\n", "x", "contains \"..\""},
        {"\\a.txt 1\n", "x", "is absolute"},
        {"/a.txt 1\n", "x", "is absolute"},
        {"C:\\a.txt 1\n", "x", "is absolute"},
        {"a\\\\b.txt 1\n", "x", "empty part"},
        {"a\\ 1\n", "x", "empty part"},
        {"a.txt one\n", "x", "line 1: expected an inner path, a space and a size"},
        {"a.txt\n", "x", "expected an inner path"},
        {"a.txt -1\n", "x", "expected an inner path"},
        {"a.txt 1\nA.TXT 1\n", "xy", "line 2: the entry \"A.TXT\" is listed twice"},
        {"a.txt 1\nb.txt 1\n", "xyz", "add up to 2 bytes"},
        {"a.txt 3\n", "x", "add up to 3 bytes"},
        // Sizes whose sum wraps around 64 bits to the data file's 2 bytes.
        {wrappingIndex(), "xy", "add up to more than"},
        {"a\x1b[2J.txt 1\n", "x", "line 1: the path holds a control character (0x1B) at byte 2"},
        {"a\tb.txt 1\n", "x", "control character (0x09)"},
        {std::string("a\0b.txt 1\n", 10), "x", "control character (0x00)"},
        {"a\x7f.txt 1\n", "x", "control character (0x7F)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        testsupport::writeFile(data("bad.cat"), c.index);
        testsupport::writeFile(data("bad.dat"), c.dat);
        EXPECT_EQ(ZorvFD_OpenCatalog(catPath("bad.cat").c_str(), 0), 0);
        EXPECT_THAT(fdError(), HasSubstr(catPath("bad.cat")));
        EXPECT_THAT(fdError(), HasSubstr(c.expected));
        EXPECT_EQ(ZorvFD_OpenFile((catPath("bad.cat") + "::a.txt").c_str(), 0, 0, 0), 0);
    }
}

TEST(FdCatalog, MissingDataFileIsRefused) {
    testsupport::writeFile(data("lonely.cat"), "a.txt 1\n");
    EXPECT_EQ(ZorvFD_OpenCatalog(catPath("lonely.cat").c_str(), 0), 0);
    EXPECT_THAT(fdError(), HasSubstr(catPath("lonely.dat")));
    EXPECT_THAT(fdError(), HasSubstr("missing"));
}

TEST(FdCatalog, BlankLinesAndCrLfAreAccepted) {
    testsupport::writeFile(data("crlf.cat"), "my file.txt 2\r\n\r\nb 1\r\n");
    testsupport::writeFile(data("crlf.dat"), "abc");
    EXPECT_EQ(readThroughDriver(catPath("crlf.cat") + "::MY FILE.txt"), "ab");
    EXPECT_EQ(readThroughDriver(catPath("crlf.cat") + "::b"), "c");
}

TEST(FdCatalog, WritingAnEntryRebuildsBothFiles) {
    const std::string cat = makeCatalog(
        data("r.cat"), {{"a\\one.txt", "1111"}, {"a\\two.txt", "22"}, {"three.txt", "333"}});
    std::string error;
    ASSERT_TRUE(zorvcore::writeFile(cat + "::A\\TWO.txt", "longer two", 1, error)) << error;
    ASSERT_TRUE(zorvcore::writeFile(cat + "::b/four.txt", "4", 1, error)) << error;

    EXPECT_EQ(testsupport::readFile(data("r.cat")),
              "a\\one.txt 4\na\\two.txt 10\nthree.txt 3\nb\\four.txt 1\n");
    EXPECT_EQ(testsupport::readFile(data("r.dat")), "1111longer two3334");
    const int32_t catalog = ZorvFD_OpenCatalog(cat.c_str(), 0);
    EXPECT_NE(catalog, 0) << fdError();
    ZorvFD_CloseCatalog(catalog);
    for (const auto& item : std::filesystem::directory_iterator(testsupport::dataDir()))
        EXPECT_THAT(item.path().filename().string(), testing::AnyOf("r.cat", "r.dat"));
}

TEST(FdCatalog, WritingCreatesAMissingCatalog) {
    std::string error;
    ASSERT_TRUE(zorvcore::writeFile(catPath("new.cat") + "::types\\a.txt", "abc", 1, error))
        << error;
    EXPECT_EQ(testsupport::readFile(data("new.cat")), "types\\a.txt 3\n");
    EXPECT_EQ(testsupport::readFile(data("new.dat")), "abc");
}

TEST(FdCatalog, WritingIntoABrokenCatalogChangesNothing) {
    testsupport::writeFile(data("orphan.dat"), "data without an index");
    testsupport::writeFile(data("broken.cat"), "a.txt 5\n");
    testsupport::writeFile(data("broken.dat"), "abc");
    std::string error;
    for (const std::string name : {"orphan.cat", "broken.cat"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(zorvcore::writeFile(catPath(name) + "::a.txt", "new", 1, error));
        EXPECT_THAT(error, HasSubstr(name.substr(0, name.size() - 4)));
    }
    EXPECT_FALSE(std::filesystem::exists(data("orphan.cat")));
    EXPECT_EQ(testsupport::readFile(data("orphan.dat")), "data without an index");
    EXPECT_EQ(testsupport::readFile(data("broken.cat")), "a.txt 5\n");
    EXPECT_EQ(testsupport::readFile(data("broken.dat")), "abc");
}

// A rebuild replaces NAME.dat before NAME.cat. When it stops in between, the
// pending index that names the data file in place is used; a stale one is not.
TEST(FdCatalog, InterruptedRebuildIsRecovered) {
    const std::string cat = makeCatalog(data("i.cat"), {{"a.txt", "old"}});
    struct stat info {};
    auto pendingFor = [&](const std::string& index) {
        ::stat(data("i.dat").c_str(), &info);
        return "zorv-pending " + std::to_string(info.st_dev) + " " + std::to_string(info.st_ino) +
               " " + std::to_string(info.st_size) + "\n" + index;
    };
    // Stopped before the data file was replaced: the pending index is stale.
    testsupport::writeFile(data("i.cat.pending"), "zorv-pending 1 2 9\na.txt 6\nb.txt 3\n");
    EXPECT_EQ(readThroughDriver(cat + "::a.txt"), "old");

    // Stopped after: the new data file is in place, the old index is not.
    testsupport::writeFile(data("i.dat"), "newer!abc");
    testsupport::writeFile(data("i.cat.pending"), pendingFor("a.txt 6\nb.txt 3\n"));
    EXPECT_EQ(readThroughDriver(cat + "::a.txt"), "newer!");
    EXPECT_EQ(readThroughDriver(cat + "::b.txt"), "abc");

    // The next write finishes the job.
    std::string error;
    ASSERT_TRUE(zorvcore::writeFile(cat + "::c.txt", "c", 1, error)) << error;
    EXPECT_EQ(testsupport::readFile(data("i.cat")), "a.txt 6\nb.txt 3\nc.txt 1\n");
    EXPECT_FALSE(std::filesystem::exists(data("i.cat.pending")));
}

// The index is replaced last. When that fails, the data file goes back too,
// so the failed write leaves the catalog as it was.
TEST(FdCatalog, AnIndexThatCannotBeReplacedLeavesTheCatalogAsItWas) {
    const std::string cat = makeCatalog(data("r.cat"), {{"a.txt", "old"}, {"b.txt", "bb"}});
    blockIndexWrites("r.cat");
    blockIndexWrites("new.cat");
    std::string error;
    EXPECT_FALSE(zorvcore::writeFile(cat + "::a.txt", "new", 1, error));
    EXPECT_THAT(error, HasSubstr(cat));
    EXPECT_EQ(readThroughDriver(cat + "::a.txt"), "old");
    EXPECT_EQ(testsupport::readFile(data("r.cat")), "a.txt 3\nb.txt 2\n");
    EXPECT_EQ(testsupport::readFile(data("r.dat")), "oldbb");

    // A catalog the write would have created is not left half made.
    EXPECT_FALSE(zorvcore::writeFile(catPath("new.cat") + "::a.txt", "new", 1, error));
    for (const auto& item : std::filesystem::directory_iterator(testsupport::dataDir())) {
        const std::string name = item.path().filename().string();
        EXPECT_TRUE(name == "r.cat" || name == "r.dat" || name.starts_with(".r.cat.tmp") ||
                    name.starts_with(".new.cat.tmp"))
            << name;
    }
}

// The pending index of an interrupted rebuild becomes the index before the
// next rebuild starts; when it cannot, nothing changes.
TEST(FdCatalog, AnInterruptedRebuildIsFinishedBeforeTheNextOne) {
    const std::string cat = makeCatalog(data("i.cat"), {{"a.txt", "old"}});
    struct stat info {};
    ::stat(data("i.dat").c_str(), &info);
    testsupport::writeFile(data("i.cat.pending"), "zorv-pending " + std::to_string(info.st_dev) +
                                                      " " + std::to_string(info.st_ino) +
                                                      " 3\nb.txt 3\n");
    blockIndexWrites("i.cat");
    std::string error;
    EXPECT_FALSE(zorvcore::writeFile(cat + "::b.txt", "new", 1, error));
    EXPECT_THAT(error, HasSubstr(cat));
    EXPECT_EQ(readThroughDriver(cat + "::b.txt"), "old");
    EXPECT_EQ(readThroughDriver(cat + "::a.txt"), std::nullopt);
}

std::string writerEntry(int writer, int n) {
    std::string name(1, 'w');
    name += std::to_string(writer);
    name += '_';
    name += std::to_string(n);
    return name;
}

// Two programs writing into one catalog at once: every write lands, none is
// lost, and the catalog stays whole.
TEST(FdCatalog, ConcurrentWritersFromTwoProcessesLoseNothing) {
    const std::string cat = makeCatalog(data("c.cat"), {{"base.txt", "base"}});
    constexpr int kWriters = 3;
    constexpr int kWrites = 12;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool ok = true;
            for (int n = 0; n < kWrites; ++n) {
                const std::string name = writerEntry(writer, n);
                std::string error;
                ok = zorvcore::writeFile(cat + "::" + name, name + std::string(n, '.'), 1, error) &&
                     ok;
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int writer = 0; writer < kWriters; ++writer)
        for (int n = 0; n < kWrites; ++n) {
            const std::string name = writerEntry(writer, n);
            EXPECT_EQ(readThroughDriver(cat + "::" + name), name + std::string(n, '.'));
        }
    EXPECT_EQ(readThroughDriver(cat + "::base.txt"), "base");
    for (const auto& item : std::filesystem::directory_iterator(testsupport::dataDir()))
        EXPECT_THAT(item.path().filename().string(), testing::AnyOf("c.cat", "c.dat"));
}

// Waits until the watched file has been opened that many times; false when
// it still has not after a minute.
bool awaitOpens(int watcher, int count) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    alignas(inotify_event) char buffer[4096];
    while (count > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd ready{watcher, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, int(left.count())) <= 0)
            return false;
        const ssize_t size = ::read(watcher, buffer, sizeof buffer);
        for (ssize_t at = 0; at < size;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            count -= (event->mask & IN_OPEN) ? 1 : 0;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    return true;
}

// A writer that holds the catalog's lock keeps a second handle waiting; the
// second gives up with a clear text rather than tear the catalog.
TEST(FdCatalog, AWriterWaitsForTheLockOfAnother) {
    const std::string cat = makeCatalog(data("l.cat"), {{"a.txt", "a"}});
    const std::string lock = data(".l.cat.lock").string();
    const int held = ::open(lock.c_str(), O_RDWR | O_CREAT, 0666);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    // Every try of the other writer opens the lock file: a second try shows
    // that it found the lock taken and waits.
    const int watcher = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watcher, 0);
    ASSERT_GE(::inotify_add_watch(watcher, lock.c_str(), IN_OPEN), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string error;
        const bool written = zorvcore::writeFile(cat + "::b.txt", "b", 1, error);
        ::_exit(written ? 0 : 1);
    }
    EXPECT_TRUE(awaitOpens(watcher, 2)) << "the writer did not try the lock again";
    ::close(watcher);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, WNOHANG), 0) << "the writer must wait for the lock";
    ::unlink(lock.c_str());
    ::close(held);
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readThroughDriver(cat + "::b.txt"), "b");
}

// What a rebuild that stopped half-way left goes when the catalog is next
// opened, and the file system never lists it as loose files.
TEST(FdCatalog, LeftoversOfAnInterruptedRebuildAreRemovedAndNeverListed) {
    const std::string cat = makeCatalog(data("o.cat"), {{"a.txt", "a"}});
    const std::string deadPid = "2147483";
    const std::string ownPid = std::to_string(::getpid());
    for (const std::string& name : {".o.dat.tmp" + deadPid + "-0", ".o.cat.tmp" + deadPid + "-3",
                                    ".o.cat.pending.tmp" + deadPid + "-1",
                                    std::string("o.dat.previous"), std::string("o.cat.pending")})
        testsupport::writeFile(data(name), "left");
    testsupport::writeFile(data(".o.dat.tmp" + ownPid + "-7"), "in use");
    testsupport::writeFile(data(".o.cat.lock"), "");
    testsupport::writeFile(data("loose.txt"), "loose");

    ASSERT_EQ(ZorvVFS_InitVFS(testsupport::dataDir().c_str()), 1) << vfsError();
    std::vector<std::string> listed;
    ZorvVFSFindData found{};
    for (int32_t search = ZorvVFS_FindFirstFile("*", &found), more = search; more;
         more = ZorvVFS_FindNextFile(search, &found))
        listed.emplace_back(found.name);
    EXPECT_THAT(listed, testing::UnorderedElementsAre("a.txt", "loose.txt"));

    std::vector<std::string> left;
    for (const auto& item : std::filesystem::directory_iterator(testsupport::dataDir()))
        left.push_back(item.path().filename().string());
    EXPECT_THAT(left, testing::UnorderedElementsAre("o.cat", "o.dat", "loose.txt",
                                                    ".o.dat.tmp" + ownPid + "-7"));
    EXPECT_EQ(readThroughDriver(cat + "::a.txt"), "a");
}

// An index of a million and one empty entries is refused before its entries
// are built.
TEST(FdCatalog, AnIndexPastTheEntryBoundIsRefused) {
    std::string index;
    for (int i = 0; i <= 1'000'000; ++i)
        index += std::to_string(i) + " 0\n";
    testsupport::writeFile(data("many.cat"), index);
    testsupport::writeFile(data("many.dat"), "");
    EXPECT_EQ(ZorvFD_OpenCatalog(catPath("many.cat").c_str(), 0), 0);
    EXPECT_THAT(fdError(), HasSubstr(catPath("many.cat")));
    EXPECT_THAT(fdError(), HasSubstr("more than 1000000 lines"));
}

// A FIFO or a folder in place of a catalog's files is refused at once;
// nothing waits for a writer that never comes.
TEST(FdCatalog, OnlyRegularFilesAreOpened) {
    ASSERT_EQ(::mkfifo(catPath("pipe.dat").c_str(), 0666), 0);
    testsupport::writeFile(data("pipe.cat"), "a.txt 1\n");
    ASSERT_EQ(::mkfifo(catPath("pipeindex.cat").c_str(), 0666), 0);
    testsupport::writeFile(data("pipeindex.dat"), "x");
    std::filesystem::create_directories(data("folder.dat"));
    testsupport::writeFile(data("folder.cat"), "a.txt 1\n");
    makeCatalog(data("fifolock.cat"), {{"a.txt", "x"}});
    ASSERT_EQ(::mkfifo(catPath(".fifolock.cat.lock").c_str(), 0666), 0);

    const std::pair<std::string, std::string> refused[] = {
        {"pipe.cat", "\"" + catPath("pipe.dat") + "\" is not a file"},
        {"pipeindex.cat", "does not exist"},
        {"folder.cat", "\"" + catPath("folder.dat") + "\" is not a file"},
    };
    for (const auto& [name, reason] : refused) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ZorvFD_OpenCatalog(catPath(name).c_str(), 0), 0);
        EXPECT_THAT(fdError(), HasSubstr(reason));
        EXPECT_EQ(ZorvFD_OpenFile((catPath(name) + "::a.txt").c_str(), 1, 1, 1), 0);
    }
    // The lock is only wanted for a rebuild; reading goes on without it.
    EXPECT_EQ(readThroughDriver(catPath("fifolock.cat") + "::a.txt"), "x");
    std::string error;
    EXPECT_FALSE(zorvcore::writeFile(catPath("fifolock.cat") + "::b.txt", "new", 1, error));
    EXPECT_THAT(error, HasSubstr("\"" + catPath(".fifolock.cat.lock") + "\" is not a file"));
    ZorvVFS_InitVFS(testsupport::dataDir().c_str());
    EXPECT_THAT(vfsError(), HasSubstr("\"" + catPath("pipe.dat") + "\" is not a file"));
}

// Links planted beside a catalog lead nowhere: no file appears at a lock
// link's target, a linked index or data file is neither read nor rewritten.
TEST(FdCatalog, LinksOfACatalogsOwnFilesAreRefused) {
    namespace fs = std::filesystem;
    const fs::path outside = testsupport::dataDir() / "outside";
    fs::create_directories(outside);
    testsupport::writeFile(outside / "secret.txt", "secret");
    testsupport::writeFile(outside / "index.cat", "a.txt 6\n");

    makeCatalog(data("lock.cat"), {{"a.txt", "a"}});
    fs::create_symlink(outside / "planted", data(".lock.cat.lock"));
    makeCatalog(data("data.cat"), {{"a.txt", "secret"}});
    fs::remove(data("data.dat"));
    fs::create_symlink(outside / "secret.txt", data("data.dat"));
    fs::create_symlink(outside / "index.cat", data("index.cat"));
    testsupport::writeFile(data("index.dat"), "secret");

    EXPECT_EQ(readThroughDriver(catPath("lock.cat") + "::a.txt"), "a");
    ZorvVFS_InitVFS(testsupport::dataDir().c_str());
    const std::pair<std::string, std::string> cases[] = {
        {"lock.cat", "\"" + catPath(".lock.cat.lock") + "\" is a symbolic link"},
        {"data.cat", "\"" + catPath("data.dat") + "\": it is a symbolic link"},
        {"index.cat", "\"" + catPath("index.cat") + "\": it is a symbolic link"},
    };
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        if (name != "lock.cat") {
            EXPECT_EQ(ZorvFD_OpenCatalog(catPath(name).c_str(), 0), 0);
            EXPECT_THAT(fdError(), HasSubstr(reason));
        }
        std::string error;
        EXPECT_FALSE(zorvcore::writeFile(catPath(name) + "::b.txt", "new", 1, error));
        EXPECT_THAT(error, HasSubstr("symbolic link"));
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(outside / "planted")));
    EXPECT_EQ(testsupport::readFile(outside / "secret.txt"), "secret");
    EXPECT_EQ(testsupport::readFile(outside / "index.cat"), "a.txt 6\n");
    EXPECT_TRUE(fs::is_symlink(data("data.dat")));
    EXPECT_TRUE(fs::is_symlink(data("index.cat")));
}
