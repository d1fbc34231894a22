// Loading a T-file from the virtual file system into the object store.
#include "fdTestSupport.h"
#include "zorvobjects.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace fdtest;
using testing::HasSubstr;

TEST(VfsLoadFile, LoadsPlainAndPackedTFilesFromAnySource) {
    const std::string tfile = "1;1;\n1;2;SS_ONE;\n";
    makeCatalog(data("01.cat"), {{"types\\TLaser.txt", gzip(tfile)}});
    testsupport::writeFile(data("types/TShips.txt"), tfile);
    ASSERT_EQ(ZorvVFS_InitVFS(testsupport::dataDir().c_str()), 1);
    for (const char* path : {"types\\tlaser.txt", "TYPES/TShips.txt"}) {
        SCOPED_TRACE(path);
        const int32_t store = ZorvVFS_LoadFile(path);
        ASSERT_NE(store, 0) << vfsError();
        EXPECT_EQ(Zorv_GetObjectType(store), ZORV_OBJECT_TFILE);
        int32_t count = 0;
        Zorv_EnumObjects(store, nullptr, 0, &count);
        EXPECT_EQ(count, 1);
        Zorv_DeleteHandle(store);
    }
}

// An XML document loads as an object of its own kind; the T-file model refuses it.
TEST(VfsLoadFile, AnXmlDocumentLoadsAsItsOwnKind) {
    testsupport::writeFile(data("types/TXml.txt"), "<language id=\"44\"/>\n");
    ASSERT_EQ(ZorvVFS_InitVFS(testsupport::dataDir().c_str()), 1);
    const int32_t document = ZorvVFS_LoadFile("types\\TXml.txt");
    EXPECT_EQ(Zorv_GetObjectType(document), ZORV_OBJECT_XML);
    EXPECT_EQ(Zorv_DeleteHandle(document), 1);
}

TEST(VfsLoadFile, FailuresNameTheFile) {
    testsupport::writeFile(data("types/TBad.txt"), "0;1;\n");
    testsupport::writeFile(data("types/TBroken.txt"), gzip("1;1;\n").substr(0, 8));
    ASSERT_EQ(ZorvVFS_InitVFS(testsupport::dataDir().c_str()), 1);
    for (const char* path : {"types\\TMissing.txt", "types\\TBad.txt", "types\\TBroken.txt"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ZorvVFS_LoadFile(path), 0);
        EXPECT_THAT(vfsError(), HasSubstr(std::string(path).substr(6)));
    }
}
