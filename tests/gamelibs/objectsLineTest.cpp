// Lines and handles of the object store: positions, bad handles and
// arguments, and lines that outlive their file.
#include "objectsTestSupport.h"
#include "zorvstore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace objectstest;
using testing::HasSubstr;

namespace {

std::vector<int32_t> indexesOf(const std::vector<int32_t>& lines) {
    std::vector<int32_t> indexes;
    for (int32_t line : lines)
        indexes.push_back(Zorv_TXTGetIndex(line));
    return indexes;
}

TEST(TFileLines, IndexFollowsCreateAndDelete) {
    const int32_t store = loadText("1;3;\nA;\n// c\nB;\nC;\n");
    const auto lines = linesOf(store);
    EXPECT_EQ(indexesOf(lines), (std::vector<int32_t>{0, 1, 2}));

    const int32_t added = Zorv_CreateObject(store, 1, lines[1]);
    EXPECT_EQ(indexesOf({lines[0], added, lines[1], lines[2]}), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(linesOf(store), (std::vector<int32_t>{lines[0], added, lines[1], lines[2]}));

    ASSERT_TRUE(Zorv_DeleteHandle(lines[0]));
    EXPECT_EQ(indexesOf({added, lines[1], lines[2]}), (std::vector<int32_t>{0, 1, 2}));
    const int32_t last = Zorv_CreateObject(store, 1, 0);
    EXPECT_EQ(Zorv_TXTGetIndex(last), 3);
    EXPECT_EQ(Zorv_GetLastError(), 0) << objectsError();
}

TEST(TFileLines, EnumerationFillsNoMoreThanTheArrayHolds) {
    const int32_t store = loadText("1;3;\nA;\nB;\nC;\n");
    int32_t count = 0;
    Zorv_EnumObjects(store, nullptr, 0, &count);
    EXPECT_EQ(count, 3);
    int32_t handles[3] = {0, 0, -99};
    Zorv_EnumObjects(store, handles, 2, nullptr);
    EXPECT_NE(handles[0], 0);
    EXPECT_NE(handles[1], handles[0]);
    EXPECT_EQ(handles[2], -99);
}

TEST(TFileLines, CreateRefusesALineOfAnotherFile) {
    const int32_t store = loadText("1;1;\nA;\n", "TA.txt");
    const int32_t other = loadText("1;1;\nB;\n", "TB.txt");
    EXPECT_EQ(Zorv_CreateObject(store, 1, linesOf(other).at(0)), 0);
    EXPECT_THAT(objectsError(), HasSubstr("TA.txt"));
    EXPECT_EQ(Zorv_CreateObject(store, 2, 0), 0);
    EXPECT_EQ(linesOf(store).size(), 1u);
}

TEST(TFileLines, BadValueArgumentsFailAndChangeNothing) {
    const int32_t store = loadText("1;1;\nA;1;2;\n");
    const int32_t line = linesOf(store).at(0);
    const auto original = valuesOf(line);
    auto infinite = doubleValue(std::numeric_limits<double>::infinity());
    ZorvVariant list{};
    list.type = ZORV_VT_TEXT_LIST;
    auto number = intValue(1);
    const std::vector<std::pair<const char*, std::function<int32_t()>>> calls = {
        {"get below",
         [&] {
             ZorvVariant v{};
             return Zorv_TXTGetValue(line, -1, &v);
         }},
        {"get past end",
         [&] {
             ZorvVariant v{};
             return Zorv_TXTGetValue(line, 3, &v);
         }},
        {"get into nothing", [&] { return Zorv_TXTGetValue(line, 0, nullptr); }},
        {"set past end", [&] { return Zorv_TXTSetValue(line, 3, &number); }},
        {"set infinity", [&] { return Zorv_TXTSetValue(line, 0, &infinite); }},
        {"set a list", [&] { return Zorv_TXTSetValue(line, 0, &list); }},
        {"set nothing", [&] { return Zorv_TXTSetValue(line, 0, nullptr); }},
        {"insert past end", [&] { return Zorv_TXTInsertValues(line, 4, 1); }},
        {"insert negative", [&] { return Zorv_TXTInsertValues(line, 0, -1); }},
        {"insert too many", [&] { return Zorv_TXTInsertValues(line, 0, 70000); }},
        {"remove past end", [&] { return Zorv_TXTRemoveValues(line, 2, 2); }},
        {"remove negative", [&] { return Zorv_TXTRemoveValues(line, -1, 1); }},
        {"remove huge",
         [&] { return Zorv_TXTRemoveValues(line, 1, std::numeric_limits<int32_t>::max()); }},
        {"size negative", [&] { return Zorv_TXTSetSize(line, -1); }},
        {"size too big",
         [&] { return Zorv_TXTSetSize(line, std::numeric_limits<int32_t>::max()); }},
    };
    for (const auto& [name, call] : calls) {
        EXPECT_EQ(call(), 0) << name;
        EXPECT_NE(Zorv_GetLastError(), 0) << name;
        EXPECT_EQ(valuesOf(line), original) << name;
    }
    EXPECT_FALSE(Zorv_IsDirty(line));
    EXPECT_EQ(Zorv_GetLastError(), 0);
}

TEST(TFileLines, StaleZeroAndWrongKindHandlesFailWithAnError) {
    const int32_t store = loadText("1;2;\nA;\nB;\n");
    const auto lines = linesOf(store);
    const int32_t deletedLine = lines[1];
    ASSERT_TRUE(Zorv_DeleteHandle(deletedLine));
    const int32_t released = loadText("1;0;\n", "TGone.txt");
    ASSERT_TRUE(Zorv_DeleteHandle(released));
    const std::string path = dataPath("TTest.txt");
    const int32_t driverFile = ZorvFD_OpenFile(path.c_str(), 0, 0, 0);
    ASSERT_NE(driverFile, 0);

    const int32_t line = lines[0];
    auto number = intValue(1);
    const std::vector<std::pair<const char*, std::function<int32_t(int32_t)>>> storeCalls = {
        {"GetObjectType", [](int32_t h) { return Zorv_GetObjectType(h); }},
        {"EnumObjects",
         [](int32_t h) {
             int32_t count = 0;
             return Zorv_EnumObjects(h, nullptr, 0, &count);
         }},
        {"TXTGetHeader",
         [](int32_t h) {
             ZorvTXTHeader header{};
             return Zorv_TXTGetHeader(h, &header);
         }},
        {"CreateObject", [](int32_t h) { return Zorv_CreateObject(h, 1, 0); }},
        {"SaveToFile", [&](int32_t h) { return Zorv_SaveToFile(driverFile, h); }},
    };
    const std::vector<std::pair<const char*, std::function<int32_t(int32_t)>>> lineCalls = {
        {"TXTGetValue",
         [](int32_t h) {
             ZorvVariant v{};
             return Zorv_TXTGetValue(h, 0, &v);
         }},
        {"TXTSetValue", [&](int32_t h) { return Zorv_TXTSetValue(h, 0, &number); }},
        {"TXTGetSize", [](int32_t h) { return Zorv_TXTGetSize(h); }},
        {"TXTSetSize", [](int32_t h) { return Zorv_TXTSetSize(h, 2); }},
        {"TXTInsertValues", [](int32_t h) { return Zorv_TXTInsertValues(h, 0, 1); }},
        {"TXTRemoveValues", [](int32_t h) { return Zorv_TXTRemoveValues(h, 0, 1); }},
        {"TXTGetIndex", [](int32_t h) { return Zorv_TXTGetIndex(h) + 1; }},
        {"TXTCopyObject to", [&](int32_t h) { return Zorv_TXTCopyObject(h, line); }},
        {"TXTCopyObject from", [&](int32_t h) { return Zorv_TXTCopyObject(line, h); }},
        {"IsDirty", [](int32_t h) { return Zorv_IsDirty(h); }},
    };
    const std::vector<std::pair<const char*, std::function<int32_t(int32_t)>>> deleteCalls = {
        {"DeleteHandle", [](int32_t h) { return Zorv_DeleteHandle(h); }},
    };
    const std::vector<int32_t> notStores = {
        0, released, line, driverFile, -5, std::numeric_limits<int32_t>::max()};
    const std::vector<int32_t> notLines = {
        0, deletedLine, store, driverFile, -5, std::numeric_limits<int32_t>::max()};
    auto check = [&](const auto& calls, const std::vector<int32_t>& handles) {
        for (const auto& [name, call] : calls)
            for (int32_t handle : handles) {
                const bool ignoredZero = handle == 0 && std::string(name) == "DeleteHandle";
                EXPECT_EQ(call(handle), 0) << name << " " << handle;
                EXPECT_EQ(Zorv_GetLastError() != 0, !ignoredZero) << name << " " << handle;
                if (handle != 0) {
                    EXPECT_THAT(objectsError(), HasSubstr(std::to_string(handle))) << name;
                }
                Zorv_TXTGetSize(line);
                EXPECT_EQ(Zorv_GetLastError(), 0) << "cleared after " << name;
            }
    };
    check(storeCalls, notStores);
    check(lineCalls, notLines);
    check(deleteCalls, {0, deletedLine, released, driverFile, -5});
    ZorvFD_CloseFile(driverFile);
    EXPECT_EQ(valuesOf(line), std::vector<std::string>{"t:A"});
}

TEST(TFileLines, LinesOfAReleasedFileStayReadableAndCopyable) {
    const int32_t source = loadText("1;2;\nSS_1;5;abc;\nSS_2;6;\n", "TA.txt");
    const auto copied = linesOf(source);
    const int32_t target = loadText("1;0;\n", "TB.txt");
    ASSERT_TRUE(Zorv_DeleteHandle(source));
    EXPECT_EQ(Zorv_GetObjectType(source), 0);

    EXPECT_EQ(valuesOf(copied[0]), (std::vector<std::string>{"t:SS_1", "i:5", "t:abc"}));
    EXPECT_FALSE(Zorv_IsDirty(copied[0]));
    EXPECT_EQ(Zorv_TXTGetIndex(copied[0]), -1);
    EXPECT_THAT(objectsError(), HasSubstr("released"));
    auto number = intValue(9);
    EXPECT_EQ(Zorv_TXTSetValue(copied[0], 1, &number), 0);
    EXPECT_THAT(objectsError(), HasSubstr("released"));

    const int32_t pasted = Zorv_CreateObject(target, 1, 0);
    ASSERT_TRUE(Zorv_TXTCopyObject(pasted, copied[0])) << objectsError();
    EXPECT_EQ(saveText(target), "1;1;\nSS_1;5;abc;\n");
    EXPECT_EQ(Zorv_TXTCopyObject(copied[1], pasted), 0);

    EXPECT_TRUE(Zorv_DeleteHandle(copied[0]));
    EXPECT_EQ(Zorv_TXTGetSize(copied[0]), 0);
    EXPECT_NE(Zorv_GetLastError(), 0);
}

TEST(TFileLines, LinesOfLongReleasedFilesAreLetGoOldestFirst) {
    // Three files of 24 MiB each: together more than the store keeps of
    // released lines, the two released last within it.
    std::string line;
    for (int i = 0; i < 255; ++i)
        line += std::string(4000, 'v') + ";";
    std::string text = "1;24;\n";
    for (int i = 0; i < 24; ++i)
        text += line + "\n";
    std::vector<int32_t> firstLines;
    for (int i = 0; i < 3; ++i) {
        std::string error;
        const int32_t store = zorvstore::parseTFile(text, "TBig.txt", error);
        ASSERT_NE(store, 0) << error;
        firstLines.push_back(linesOf(store).at(0));
        ASSERT_TRUE(Zorv_DeleteHandle(store));
    }
    EXPECT_EQ(Zorv_TXTGetSize(firstLines[0]), 0);
    EXPECT_EQ(Zorv_TXTGetSize(firstLines[1]), 255);
    EXPECT_EQ(Zorv_TXTGetSize(firstLines[2]), 255);
}

} // namespace

// The ID string in one call: the last value as the value call gives it.
TEST(TFileLines, GetIDGivesTheLastValue) {
    const int32_t store = loadText("1;3;\n1;2;SS_A;\n4;7;\n1;2.5;\n");
    const auto lines = linesOf(store);
    const int32_t types[] = {ZORV_VT_TEXT, ZORV_VT_INT, ZORV_VT_DOUBLE};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ZorvVariant id{}, last{};
        ASSERT_EQ(Zorv_TXTGetID(lines[i], &id), 1) << objectsError();
        ASSERT_EQ(Zorv_TXTGetValue(lines[i], Zorv_TXTGetSize(lines[i]) - 1, &last), 1);
        EXPECT_EQ(id.type, types[i]);
        EXPECT_EQ(id.type, last.type);
        EXPECT_EQ(id.intValue, last.intValue);
        EXPECT_EQ(id.doubleValue, last.doubleValue);
        EXPECT_EQ(std::string(id.text ? id.text : "", static_cast<std::size_t>(id.length)),
                  std::string(last.text ? last.text : "", static_cast<std::size_t>(last.length)));
        Zorv_VariantClear(&id);
        Zorv_VariantClear(&last);
    }
    ZorvVariant id{};

    const int32_t empty = Zorv_CreateObject(store, 1, 0);
    EXPECT_EQ(Zorv_TXTGetID(empty, &id), 0);
    EXPECT_EQ(id.type, ZORV_VT_EMPTY);
    EXPECT_NE(Zorv_GetLastError(), 0);
    EXPECT_EQ(Zorv_TXTGetID(0, &id), 0);
    Zorv_DeleteHandle(store);
}
