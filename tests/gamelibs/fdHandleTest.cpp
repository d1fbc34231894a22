// Handles and last errors shared by the libraries.
#include "fdTestSupport.h"
#include "zorvcore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using namespace fdtest;
using testing::HasSubstr;

TEST(FdHandles, StaleZeroAndWrongKindHandlesFailWithAnError) {
    testsupport::writeFile(data("a.txt"), "abc");
    const std::string cat = makeCatalog(data("h.cat"), {{"a.txt", "x"}});
    const int32_t file = ZorvFD_OpenFile(data("a.txt").c_str(), 0, 0, 0);
    const int32_t catalog = ZorvFD_OpenCatalog(cat.c_str(), 0);
    const int32_t stale = ZorvFD_OpenFile(data("a.txt").c_str(), 0, 0, 0);
    ZorvFD_CloseFile(stale);
    ASSERT_NE(file, 0);
    ASSERT_NE(catalog, 0);

    char buffer[4];
    ZorvVFSFindData record;
    const std::pair<const char*, std::function<int32_t()>> calls[] = {
        {"size of 0", [&] { return ZorvFD_FileSize(0) + 1; }},
        {"size of stale", [&] { return ZorvFD_FileSize(stale) + 1; }},
        {"read catalog", [&] { return ZorvFD_ReadFile(catalog, buffer, 4); }},
        {"cut a read handle", [&] { return ZorvFD_SetEndOfFile(file); }},
        {"cut stale", [&] { return ZorvFD_SetEndOfFile(stale); }},
        {"close catalog as file", [&] { return ZorvFD_CloseFile(catalog); }},
        {"close stale", [&] { return ZorvFD_CloseFile(stale); }},
        {"close file as catalog", [&] { return ZorvFD_CloseCatalog(file); }},
        {"next of a file", [&] { return ZorvVFS_FindNextFile(file, &record); }},
        {"close search of a file", [&] { return ZorvVFS_FindClose(file); }},
        {"context of a file", [&] { return ZorvVFS_CatFindInit(file); }},
        {"context of 0", [&] { return ZorvVFS_CatFindInit(0); }},
        {"search a catalog", [&] { return ZorvVFS_CatFindFirstFile(catalog, "*", &record); }},
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        ZorvFD_CloseFile(0);
        ZorvVFS_FindClose(0);
        EXPECT_EQ(call(), 0);
        EXPECT_NE(ZorvFD_GetLastError() | ZorvVFS_GetLastError(), 0);
    }
    std::string error;
    EXPECT_EQ(zorvcore::readOpenFile(catalog, error), nullptr);
    EXPECT_THAT(error, HasSubstr(std::to_string(catalog)));
    EXPECT_FALSE(zorvcore::writeOpenFile(file, "x", error));
    EXPECT_THAT(error, HasSubstr("open for reading"));
    // The handles that were misused still work.
    EXPECT_EQ(ZorvFD_FileSize(file), 3);
    EXPECT_EQ(ZorvFD_CloseFile(file), 1);
    EXPECT_EQ(ZorvFD_CloseCatalog(catalog), 1);
    EXPECT_EQ(zorvcore::openFilePath(file), "");
}

TEST(FdHandles, ClosingZeroIsIgnored) {
    EXPECT_EQ(ZorvFD_CloseFile(0), 1);
    EXPECT_EQ(ZorvFD_CloseCatalog(0), 1);
    EXPECT_EQ(ZorvVFS_FindClose(0), 1);
    EXPECT_EQ(ZorvFD_GetLastError(), 0);
    EXPECT_EQ(ZorvVFS_GetLastError(), 0);
}

TEST(FdHandles, NumbersAreUniqueAndNeverReused) {
    testsupport::writeFile(data("a.txt"), "abc");
    const std::string cat = makeCatalog(data("n.cat"), {{"a.txt", "x"}});
    int32_t last = 0;
    for (int round = 0; round < 3; ++round) {
        const int32_t file = ZorvFD_OpenFile(data("a.txt").c_str(), 0, 0, 0);
        const int32_t catalog = ZorvFD_OpenCatalog(cat.c_str(), 0);
        const int32_t context = ZorvVFS_CatFindInit(catalog);
        for (int32_t handle : {file, catalog, context}) {
            EXPECT_GT(handle, last);
            last = handle;
        }
        ZorvVFS_FindClose(context);
        ZorvFD_CloseCatalog(catalog);
        ZorvFD_CloseFile(file);
    }
}

TEST(FdHandles, EveryFallibleCallClearsTheLastError) {
    testsupport::writeFile(data("a.txt"), "abc");
    EXPECT_EQ(ZorvFD_OpenFile(data("missing.txt").c_str(), 0, 0, 0), 0);
    ASSERT_NE(ZorvFD_GetLastError(), 0);
    const int32_t file = ZorvFD_OpenFile(data("a.txt").c_str(), 0, 0, 0);
    EXPECT_EQ(ZorvFD_GetLastError(), 0);
    ZorvFD_CloseFile(file);
}

TEST(FdHandles, TranslateErrorFollowsTheLengthAndNulRules) {
    EXPECT_EQ(ZorvFD_OpenFile(data("missing.txt").c_str(), 0, 0, 0), 0);
    const int32_t code = ZorvFD_GetLastError();
    int32_t needed = -1;
    ZorvFD_TranslateError(code, nullptr, 0, &needed);
    const std::string message = fdError();
    ASSERT_EQ(needed, static_cast<int32_t>(message.size()));
    ASSERT_THAT(message, HasSubstr("missing.txt"));

    struct Case {
        int32_t size;
        std::string expected; // what the buffer holds up to its first NUL
    };
    const Case cases[] = {
        {needed + 5, message},
        {needed + 1, message},
        {needed, message},
        {4, message.substr(0, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::string buffer(static_cast<std::size_t>(needed) + 8, '#');
        needed = -1;
        ZorvFD_TranslateError(code, buffer.data(), c.size, &needed);
        EXPECT_EQ(needed, static_cast<int32_t>(message.size()));
        EXPECT_EQ(buffer.substr(0, c.expected.size()), c.expected);
        EXPECT_EQ(buffer[c.expected.size()], c.size > needed ? '\0' : '#');
    }

    ZorvFD_TranslateError(0, nullptr, 0, &needed);
    EXPECT_EQ(needed, 0);
    char one[1] = {'#'};
    ZorvVFS_TranslateError(0, one, 1, &needed);
    EXPECT_EQ(one[0], '\0');
    EXPECT_THAT(errorText(424242, ZorvFD_TranslateError), HasSubstr("424242"));
}

TEST(FdHandles, VersionsFillFourParts) {
    for (auto version : {ZorvFD_Version, ZorvVFS_Version}) {
        int32_t parts[5] = {-1, -1, -1, -1, -7};
        version(parts);
        EXPECT_GE(parts[0], 1);
        EXPECT_GE(parts[3], 0);
        EXPECT_EQ(parts[4], -7);
    }
}
