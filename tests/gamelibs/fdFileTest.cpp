// Plain and packed files on disk and inside catalogs, read and written
// through the file driver.
#include "fdTestSupport.h"
#include "zorvcore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace fdtest;
using testing::HasSubstr;

namespace {

const std::string kText = "1;2;\r\nline;of;text;\r\n";

bool writeThroughDriver(const std::string& path, const std::string& bytes, int32_t type) {
    const int32_t file = ZorvFD_OpenFile(path.c_str(), 1, 1, type);
    std::string error;
    const bool written = file != 0 && zorvcore::writeOpenFile(file, bytes, error);
    return ZorvFD_CloseFile(file) != 0 && written;
}

bool gzipAccepts(const std::string& path) {
    return std::system(("gzip -t '" + path + "' 2>/dev/null").c_str()) == 0;
}

} // namespace

TEST(FdFile, ReadsPlainAndPackedOnDiskAndInCatalogs) {
    testsupport::writeFile(data("plain.txt"), kText);
    testsupport::writeFile(data("packed.txt"), gzip(kText));
    const std::string cat = makeCatalog(
        data("a.cat"), {{"types\\Plain.txt", kText}, {"types\\Packed.pck", gzip(kText)}});
    for (const std::string& path : {data("plain.txt").string(), data("packed.txt").string(),
                                    cat + "::types\\Plain.txt", cat + "::TYPES/packed.PCK"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(readThroughDriver(path), kText);
    }
}

TEST(FdFile, ReadsInPieces) {
    testsupport::writeFile(data("a.txt"), "abcdef");
    const int32_t file = ZorvFD_OpenFile(data("a.txt").c_str(), 0, 0, 0);
    char buffer[8] = {};
    EXPECT_EQ(ZorvFD_ReadFile(file, buffer, 4), 4);
    EXPECT_EQ(ZorvFD_ReadFile(file, buffer + 4, 4), 2);
    EXPECT_EQ(ZorvFD_ReadFile(file, buffer, 4), 0);
    EXPECT_STREQ(buffer, "abcdef");
    ZorvFD_CloseFile(file);
}

TEST(FdFile, WritesPlainAndPackedThatReopenToTheSameBytes) {
    testsupport::writeFile(data("old-plain.txt"), "old");
    testsupport::writeFile(data("old-packed.txt"), gzip("old"));
    testsupport::writeFile(data("old-plain.pck"), "old");
    const std::string cat = makeCatalog(data("c.cat"), {{"types\\old.txt", gzip("old")}});
    struct Case {
        std::string path;
        int32_t type;
        bool packed;
    };
    const Case cases[] = {
        {data("new.txt").string(), 1, false},
        {data("new.pck").string(), 2, true},
        {data("plain-by-name.txt").string(), 0, false},
        {data("packed-by-name.pck").string(), 0, true},
        {data("old-plain.txt").string(), 2, true},
        {data("old-packed.txt").string(), 0, true},
        {data("old-plain.pck").string(), 0, false},
        {cat + "::types\\new.txt", 1, false},
        {cat + "::types\\new.pck", 0, true},
        {cat + "::TYPES\\OLD.TXT", 0, true},
        {cat + "::types/old.txt", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_TRUE(writeThroughDriver(c.path, kText, c.type)) << fdError();
        EXPECT_EQ(readThroughDriver(c.path), kText);
        if (c.path.find("::") == std::string::npos) {
            EXPECT_EQ(looksPacked(testsupport::readFile(c.path)), c.packed);
            EXPECT_TRUE(!c.packed || gzipAccepts(c.path));
        }
    }
    // Entries rewritten in place keep their spelling and order; new ones follow.
    EXPECT_THAT(testsupport::readFile(data("c.cat")),
                testing::MatchesRegex("types\\\\old.txt [0-9]+\n"
                                      "types\\\\new.txt [0-9]+\n"
                                      "types\\\\new.pck [0-9]+\n"));
    EXPECT_NE(ZorvFD_OpenCatalog(cat.c_str(), 0), 0) << fdError();
}

TEST(FdFile, NothingWrittenMeansNothingChanges) {
    testsupport::writeFile(data("keep.txt"), "old bytes");
    const std::string cat = makeCatalog(data("k.cat"), {{"a.txt", "entry"}});
    const std::string catIndex = testsupport::readFile(data("k.cat"));
    for (const std::string& path : {data("keep.txt").string(), data("never.txt").string(),
                                    cat + "::a.txt", cat + "::b.txt"}) {
        SCOPED_TRACE(path);
        const int32_t file = ZorvFD_OpenFile(path.c_str(), 1, 1, 1);
        ASSERT_NE(file, 0) << fdError();
        EXPECT_EQ(ZorvFD_CloseFile(file), 1);
    }
    EXPECT_EQ(testsupport::readFile(data("keep.txt")), "old bytes");
    EXPECT_FALSE(std::filesystem::exists(data("never.txt")));
    EXPECT_EQ(testsupport::readFile(data("k.cat")), catIndex);
    EXPECT_EQ(readThroughDriver(cat + "::a.txt"), "entry");
}

TEST(FdFile, SetEndOfFileCommitsAnExplicitlyEmptiedFile) {
    testsupport::writeFile(data("full.txt"), "old bytes");
    const int32_t file = ZorvFD_OpenFile(data("full.txt").c_str(), 1, 1, 0);
    EXPECT_EQ(ZorvFD_SetEndOfFile(file), 1);
    ZorvFD_CloseFile(file);
    EXPECT_EQ(testsupport::readFile(data("full.txt")), "");
}

TEST(FdFile, CommitBeforeCloseReportsAndKeepsTheHandleOpen) {
    const std::string path = data("early.txt").string();
    const int32_t file = ZorvFD_OpenFile(path.c_str(), 1, 1, 1);
    std::string error;
    ASSERT_TRUE(zorvcore::writeOpenFile(file, "first", error));
    ASSERT_TRUE(zorvcore::commitOpenFile(file, error)) << error;
    EXPECT_EQ(testsupport::readFile(path), "first");
    ASSERT_TRUE(zorvcore::writeOpenFile(file, "+more", error));
    ZorvFD_CloseFile(file);
    EXPECT_EQ(testsupport::readFile(path), "first+more");
}

TEST(FdFile, FailedCommitIsNotRetriedOnClose) {
    const std::string cat = makeCatalog(data("f.cat"), {{"a.txt", "old"}});
    const int32_t file = ZorvFD_OpenFile((cat + "::a.txt").c_str(), 1, 1, 1);
    std::string error;
    ASSERT_TRUE(zorvcore::writeOpenFile(file, "new", error));
    testsupport::writeFile(data("f.dat"), "broken");
    EXPECT_FALSE(zorvcore::commitOpenFile(file, error));
    EXPECT_THAT(error, HasSubstr(cat));
    testsupport::writeFile(data("f.dat"), "old");
    ZorvFD_CloseFile(file);
    EXPECT_EQ(readThroughDriver(cat + "::a.txt"), "old");
}

TEST(FdFile, WritingOverACatalogIndexIsRefused) {
    const std::string cat = makeCatalog(data("m.cat"), {{"a.txt", "entry"}});
    const std::string index = testsupport::readFile(cat);
    std::string error;
    for (int32_t type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(ZorvFD_OpenFile(cat.c_str(), 1, 1, type), 0);
        EXPECT_THAT(fdError(), HasSubstr(cat));
        EXPECT_FALSE(zorvcore::writeFile(cat, "x", type, error));
    }
    EXPECT_EQ(testsupport::readFile(cat), index);
}

TEST(FdFile, WholeFileAccessByPath) {
    const std::string cat = makeCatalog(data("w.cat"), {});
    std::string error, content;
    ASSERT_TRUE(zorvcore::writeFile(cat + "::doc.pck", kText, 0, error)) << error;
    ASSERT_TRUE(zorvcore::readFile(cat + "::DOC.pck", content, error)) << error;
    EXPECT_EQ(content, kText);
    EXPECT_TRUE(looksPacked(testsupport::readFile(data("w.dat"))));
}

TEST(FdFile, BadPackedDataIsRefusedWithThePath) {
    std::string packed = gzip(std::string(5000, 'x') + kText);
    std::string corrupt = packed;
    corrupt[corrupt.size() / 2] ^= 0x55;
    corrupt[corrupt.size() - 6] ^= 0x55; // the checksum too, so the fault cannot hide
    const std::pair<std::string, std::string> cases[] = {
        {packed.substr(0, packed.size() / 2), "truncated"},
        {packed.substr(0, 2), "truncated"},
        {corrupt, "corrupt"},
        {packed + "junk", "unexpected bytes"},
    };
    for (const auto& [bytes, reason] : cases) {
        SCOPED_TRACE(reason);
        testsupport::writeFile(data("bad.pck"), bytes);
        EXPECT_EQ(ZorvFD_OpenFile(data("bad.pck").c_str(), 0, 0, 0), 0);
        EXPECT_THAT(fdError(), HasSubstr(data("bad.pck").string()));
        EXPECT_THAT(fdError(), HasSubstr(reason));
    }
    // Two members back to back are one valid file, as gzip makes them.
    testsupport::writeFile(data("two.pck"), gzip("ab") + gzip("cd"));
    EXPECT_EQ(readThroughDriver(data("two.pck").string()), "abcd");
}

TEST(FdFile, PackedDataBeyondTheBoundIsRefused) {
    // 513 MiB of zeros pack into about half a MiB.
    z_stream zs{};
    deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    const std::string zeros(1 << 20, '\0');
    std::string packed;
    char chunk[1 << 16];
    for (int mib = 0; mib < 513; ++mib) {
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
        zs.avail_in = static_cast<uInt>(zeros.size());
        do {
            zs.next_out = reinterpret_cast<Bytef*>(chunk);
            zs.avail_out = sizeof chunk;
            deflate(&zs, mib == 512 ? Z_FINISH : Z_NO_FLUSH);
            packed.append(chunk, sizeof chunk - zs.avail_out);
        } while (zs.avail_out == 0);
    }
    deflateEnd(&zs);
    testsupport::writeFile(data("bomb.pck"), packed);
    EXPECT_EQ(ZorvFD_OpenFile(data("bomb.pck").c_str(), 0, 0, 0), 0);
    EXPECT_THAT(fdError(), HasSubstr("more than 512 MiB"));
    EXPECT_THAT(fdError(), HasSubstr("bomb.pck"));
}

TEST(FdFile, FileExistsOnDiskAndInCatalogs) {
    testsupport::writeFile(data("here.txt"), "x");
    std::filesystem::create_directories(data("folder"));
    const std::string cat = makeCatalog(data("e.cat"), {{"types\\TShips.txt", "x"}});
    testsupport::writeFile(data("broken.cat"), "a.txt 1\n");
    const std::pair<std::string, int32_t> cases[] = {
        {data("here.txt").string(), 1},
        {data("missing.txt").string(), 0},
        {data("folder").string(), 0},
        {cat + "::TYPES\\tships.TXT", 1},
        {cat + "::types\\TLaser.txt", 0},
        {data("broken.cat").string() + "::a.txt", 0},
        {"", 0},
    };
    for (const auto& [path, exists] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ZorvFD_FileExists(path.c_str()), exists);
    }
}

TEST(FdFile, OpenFailuresNameWhatFailed) {
    testsupport::writeFile(data("plain.txt"), "x");
    const std::string cat = makeCatalog(data("f.cat"), {{"a.txt", "x"}});
    const std::string missing = data("missing.txt").string();
    struct Case {
        std::string path;
        int32_t mode, disposition, type;
        std::string expected;
    };
    ASSERT_EQ(::mkfifo(data("pipe").c_str(), 0666), 0);
    const Case cases[] = {
        {missing, 0, 0, 0, missing},
        {cat + "::b.txt", 0, 0, 0, "\"b.txt\""},
        {data("plain.txt").string() + "::a.txt", 0, 0, 0, "is not a catalog"},
        {cat + "::..\\a.txt", 1, 1, 1, "\"..\""},
        {data("no-folder/x.txt").string(), 1, 1, 1, "does not exist"},
        {data("x.txt").string(), 1, 1, 3, "unknown file type 3"},
        {data("x.txt").string(), 2, 0, 0, "mode 2"},
        {cat + "::a\tb.txt", 1, 1, 1, "control character (0x09)"},
        {cat + "::a\x1b.txt", 1, 1, 1, "control character (0x1B)"},
        {data("pipe").string(), 0, 0, 0, "\"" + data("pipe").string() + "\" is not a file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ZorvFD_OpenFile(c.path.c_str(), c.mode, c.disposition, c.type), 0);
        EXPECT_THAT(fdError(), HasSubstr(c.expected));
    }
}

// A save replaces the file with a new one; it keeps the old one's mode,
// owner and group, on disk and in a catalog's data file.
TEST(FdFile, ASaveKeepsModeOwnerAndGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file another owner needs root";
    const std::string cat = makeCatalog(data("owned.cat"), {{"a.txt", "a"}});
    testsupport::writeFile(data("owned.txt"), "old");
    for (const char* name : {"owned.txt", "owned.dat"}) {
        ASSERT_EQ(::chown(data(name).c_str(), 1234, 5678), 0);
        ASSERT_EQ(::chmod(data(name).c_str(), 0640), 0);
    }
    std::string error;
    ASSERT_TRUE(zorvcore::writeFile(data("owned.txt").string(), "new", 1, error)) << error;
    ASSERT_TRUE(zorvcore::writeFile(cat + "::a.txt", "new", 1, error)) << error;
    for (const char* name : {"owned.txt", "owned.dat"}) {
        SCOPED_TRACE(name);
        struct stat info {};
        ASSERT_EQ(::stat(data(name).c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 1234u);
        EXPECT_EQ(info.st_gid, 5678u);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
        EXPECT_EQ(testsupport::readFile(data(name)), "new");
    }
}
