// The virtual file system: sources and their priority, searches, records.
#include "fdTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using namespace fdtest;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Pair;

namespace {

struct Record {
    int32_t kind;
    std::string name;
    std::string realName;
};

std::vector<Record> collect(int32_t search, ZorvVFSFindData& record) {
    std::vector<Record> records;
    for (bool more = search != 0; more; more = ZorvVFS_FindNextFile(search, &record) != 0)
        records.push_back({record.kind, record.name, record.realName});
    ZorvVFS_FindClose(search);
    return records;
}

std::vector<Record> find(const std::string& pattern) {
    ZorvVFSFindData record;
    return collect(ZorvVFS_FindFirstFile(pattern.c_str(), &record), record);
}

std::vector<std::pair<int32_t, std::string>> names(const std::vector<Record>& records) {
    std::vector<std::pair<int32_t, std::string>> result;
    for (const Record& r : records)
        result.emplace_back(r.kind, r.name);
    return result;
}

// What the file behind a path of the file system holds.
std::optional<std::string> contentOf(const std::string& path) {
    const auto records = find(path);
    if (records.size() != 1)
        return std::nullopt;
    return readThroughDriver(records.front().realName);
}

class Vfs : public testing::Test {
protected:
    void SetUp() override {
        makeCatalog(data("01.cat"), {{"types\\TLaser.txt", "cat1"},
                                     {"types\\TShips.txt", "cat1"},
                                     {"v\\00042.bod", "body"},
                                     {"t\\440001.xml", "english"}});
        makeCatalog(data("02.cat"), {{"TYPES\\tlaser.TXT", "cat2"}});
        testsupport::writeFile(data("types/TShips.txt"), "loose");
        testsupport::writeFile(data("t/440002.pck"), gzip("more english"));
        testsupport::writeFile(data("t/490001.xml"), "german");
        testsupport::writeFile(data("a/b/c.txt"), "nested");
        testsupport::writeFile(data("readme.txt"), "root");
        mod = makeCatalog(testsupport::testRoot() / "mods" / "mod.cat",
                          {{"TYPES\\TShips.txt", "mod"}, {"extra\\new.txt", "new"}});
        ASSERT_EQ(ZorvVFS_InitVFS(testsupport::dataDir().c_str()), 1) << vfsError();
    }
    std::string mod;
};

} // namespace

TEST_F(Vfs, LaterSourcesWinWhateverTheLetterCase) {
    EXPECT_EQ(contentOf("types\\TLaser.txt"), "cat2");
    EXPECT_EQ(contentOf("TYPES/tships.TXT"), "loose");
    EXPECT_EQ(contentOf("v\\00042.bod"), "body");
    EXPECT_EQ(contentOf("t\\440002.pck"), "more english");

    ASSERT_EQ(ZorvVFS_AppendCatalog(mod.c_str()), 1) << vfsError();
    EXPECT_EQ(contentOf("types\\TShips.txt"), "mod");
    EXPECT_EQ(contentOf("extra\\new.txt"), "new");
    EXPECT_EQ(find("types\\TShips.txt").front().realName, mod + "::TYPES\\TShips.txt");

    // A new start drops the appended catalog.
    ASSERT_EQ(ZorvVFS_InitVFS(testsupport::dataDir().c_str()), 1);
    EXPECT_EQ(contentOf("types\\TShips.txt"), "loose");
    EXPECT_TRUE(find("extra\\*").empty());
}

TEST_F(Vfs, PatternsSelectFoldersAndFiles) {
    using Names = std::vector<std::pair<int32_t, std::string>>;
    const std::pair<std::string, Names> cases[] = {
        {"*", {{2, "a"}, {2, "t"}, {2, "types"}, {2, "v"}, {1, "readme.txt"}}},
        {"a\\*", {{2, "a\\b"}}},
        {"A\\B\\*", {{1, "c.txt"}}},
        {"types\\*", {{1, "tlaser.TXT"}, {1, "TShips.txt"}}},
        {"v\\00042", {{1, "00042.bod"}}},
        {"v\\00042.txt", {}},
        {"t\\44*", {{1, "440001.xml"}, {1, "440002.pck"}}},
        {"t\\4?0001.XML", {{1, "440001.xml"}, {1, "490001.xml"}}},
        {"\\types/TSHIPS.TXT", {{1, "TShips.txt"}}},
        {"t*", {{2, "t"}, {2, "types"}}},
        {"t\\490*.xml; *.pck", {{1, "440002.pck"}, {1, "490001.xml"}}},
        {"*.txt", {{1, "readme.txt"}}},
        {"nowhere\\*", {}},
        {"types\\", {}},
        {"", {}},
    };
    for (const auto& [pattern, expected] : cases) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(names(find(pattern)), expected);
    }
}

TEST_F(Vfs, RecordsServeAWalkOfTheWholeTree) {
    // The walk of the file-list window: a folder record's name is the next
    // folder path; a file row is the folder path, "\" and the file's name.
    std::vector<std::pair<std::string, std::string>> rows;
    std::function<void(const std::string&)> list = [&](const std::string& folder) {
        for (const Record& r : find(folder.empty() ? "*" : folder + "\\*")) {
            if (r.kind & 2)
                list(r.name);
            else
                rows.emplace_back(folder + "\\" + r.name, r.realName);
        }
    };
    list("");
    const std::string dir = testsupport::dataDir().string();
    EXPECT_THAT(rows, ElementsAre(Pair("a\\b\\c.txt", dir + "/a/b/c.txt"),
                                  Pair("t\\440001.xml", dir + "/01.cat::t\\440001.xml"),
                                  Pair("t\\440002.pck", dir + "/t/440002.pck"),
                                  Pair("t\\490001.xml", dir + "/t/490001.xml"),
                                  Pair("types\\tlaser.TXT", dir + "/02.cat::TYPES\\tlaser.TXT"),
                                  Pair("types\\TShips.txt", dir + "/types/TShips.txt"),
                                  Pair("v\\00042.bod", dir + "/01.cat::v\\00042.bod"),
                                  Pair("\\readme.txt", dir + "/readme.txt")));
}

TEST_F(Vfs, EmptyPathGivesAnEmptyFileSystem) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(testsupport::dataDir());
    EXPECT_EQ(ZorvVFS_InitVFS(""), 1);
    EXPECT_TRUE(find("*").empty());
    EXPECT_EQ(ZorvVFS_InitVFS(nullptr), 1);
    EXPECT_TRUE(find("*").empty());
    std::filesystem::current_path(previous);
}

TEST_F(Vfs, MissingFolderOrCatalogIsReported) {
    const std::string missing = data("missing").string();
    EXPECT_EQ(ZorvVFS_InitVFS(missing.c_str()), 0);
    EXPECT_THAT(vfsError(), HasSubstr(missing));
    EXPECT_TRUE(find("*").empty());

    EXPECT_EQ(ZorvVFS_AppendCatalog(data("none.cat").c_str()), 0);
    EXPECT_THAT(vfsError(), HasSubstr(data("none.cat").string()));
}

TEST_F(Vfs, BrokenCatalogIsLeftOutAndTheRestLoads) {
    testsupport::writeFile(data("00.cat"), "a.txt 99\n");
    testsupport::writeFile(data("00.dat"), "short");
    EXPECT_EQ(ZorvVFS_InitVFS(testsupport::dataDir().c_str()), 0);
    EXPECT_THAT(vfsError(), HasSubstr(data("00.cat").string()));
    EXPECT_EQ(contentOf("types\\TLaser.txt"), "cat2");
    EXPECT_TRUE(find("00.*").empty());
}

TEST_F(Vfs, SearchEndsCleanly) {
    ZorvVFSFindData record;
    const int32_t search = ZorvVFS_FindFirstFile("types\\*", &record);
    ASSERT_NE(search, 0);
    EXPECT_EQ(ZorvVFS_FindNextFile(search, &record), 1);
    EXPECT_EQ(ZorvVFS_FindNextFile(search, &record), 0);
    EXPECT_EQ(ZorvVFS_FindNextFile(search, &record), 0);
    EXPECT_EQ(ZorvVFS_GetLastError(), 0);
    EXPECT_EQ(ZorvVFS_FindClose(search), 1);
    EXPECT_EQ(ZorvVFS_FindNextFile(search, &record), 0);
    EXPECT_NE(ZorvVFS_GetLastError(), 0);
}

TEST(VfsCatalogSearch, ListsOneFolderOfTheCatalogByLastNames) {
    const std::string cat =
        makeCatalog(data("c.cat"),
                    {{"types\\TShips.txt", "s"}, {"types\\sub\\x.txt", "x"}, {"readme.txt", "r"}});
    const int32_t catalog = ZorvFD_OpenCatalog(cat.c_str(), 0);
    const int32_t context = ZorvVFS_CatFindInit(catalog);
    ASSERT_NE(context, 0) << vfsError();
    auto search = [&](const std::string& pattern) {
        ZorvVFSFindData record;
        return collect(ZorvVFS_CatFindFirstFile(context, pattern.c_str(), &record), record);
    };
    using Names = std::vector<std::pair<int32_t, std::string>>;
    EXPECT_EQ(names(search("*")), (Names{{2, "types"}, {1, "readme.txt"}}));
    EXPECT_EQ(names(search("types\\*")), (Names{{2, "sub"}, {1, "TShips.txt"}}));
    EXPECT_EQ(names(search("TYPES\\SUB\\*")), (Names{{1, "x.txt"}}));
    // A file-type filter keeps the folders to go into.
    EXPECT_EQ(names(search("*.pck;*.txt")), (Names{{2, "types"}, {1, "readme.txt"}}));
    EXPECT_EQ(names(search("x*.txt")), (Names{}));
    EXPECT_EQ(search("types\\tships.TXT").front().realName, cat + "::types\\TShips.txt");
    // A typed name must be the whole name: it becomes the chosen path.
    EXPECT_TRUE(search("types\\TShips").empty());

    EXPECT_EQ(ZorvVFS_FindClose(context), 1);
    EXPECT_EQ(ZorvFD_CloseCatalog(catalog), 1);
    ZorvVFSFindData record;
    EXPECT_EQ(ZorvVFS_CatFindFirstFile(context, "*", &record), 0);
}
