// The catalog format: what an index may hold, and how a write rebuilds it.
#include "fdTestSupport.h"
#include "zorvcore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
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
    for (const char* left :
         {"r.cat.pending", "r.dat.tmp", "r.dat.previous", "new.cat", "new.dat", "new.cat.pending"})
        EXPECT_FALSE(std::filesystem::exists(data(left))) << left;
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
