// T-files through the object store: reading, writing back, refusing.
#include "TFileReader.h"
#include "fdTestSupport.h"
#include "objectsTestSupport.h"
#include "zorvstore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace objectstest;
using testing::AllOf;
using testing::HasSubstr;

namespace {

struct RoundTrip {
    const char* name;
    std::string text;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const RoundTrip& value, std::ostream* out) {
    *out << value.name;
}

class UneditedSave : public testing::TestWithParam<RoundTrip> {};

TEST_P(UneditedSave, WritesTheSameBytes) {
    const int32_t store = loadText(GetParam().text);
    EXPECT_EQ(saveText(store), GetParam().text);
    Zorv_DeleteHandle(store);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UneditedSave,
    testing::Values(
        RoundTrip{"LfWithComments", "// table of things\n\n3;2;\n// first\nA;1;2.50;\n  \n"
                                    "B;+07;1e3;\n// end\n"},
        RoundTrip{"Crlf", "// made by hand\r\n3;2;\r\nA;1;\r\n\r\nB;2;\r\n"},
        RoundTrip{"MixedEndingsKeptPerLine", "1;2;\r\nA;\nB;\r\n"},
        RoundTrip{"NoFinalLineBreak", "1;1;\nA;-5;"},
        RoundTrip{"SpellingsKept", "1;1;\n 12 ;0012;-0;.5;1.;;text with spaces ;\xe9t\xe9;\t\n"},
        RoundTrip{"HeaderOnly", "7;0;\n"},
        RoundTrip{"LongestValue", "1;1;\n" + std::string(4096, 'x') + ";\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TFileSave, CorrectsAWrongHeaderCountAndKeepsTheRest) {
    const int32_t store = loadText("// c\n 5; 9 ;\nA;\r\nB;\n");
    ZorvTXTHeader header{};
    ASSERT_TRUE(Zorv_TXTGetHeader(store, &header));
    EXPECT_EQ(header.version, 5);
    EXPECT_EQ(header.lineCount, 9);

    EXPECT_EQ(saveText(store), "// c\n 5;2;\nA;\r\nB;\n");
    Zorv_TXTGetHeader(store, &header);
    EXPECT_EQ(header.lineCount, 2);
}

TEST(TFileRead, ValuesReadAsIntegerDecimalOrText) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"12", "i:12"},
        {"-7", "i:-7"},
        {"+5", "i:5"},
        {" 42\t", "i:42"},
        {"2147483647", "i:2147483647"},
        {"-2147483648", "i:-2147483648"},
        {"2147483648", "d:2147483648"},
        {"1.5", "d:1.5"},
        {".5", "d:0.5"},
        {"1.", "d:1"},
        {"-2.5E-1", "d:-0.25"},
        {"1e3", "d:1000"},
        {"", "t:"},
        {"abc", "t:abc"},
        {"1e", "t:1e"},
        {"0x10", "t:0x10"},
        {"1,5", "t:1,5"},
        {"- 1", "t:- 1"},
        {"inf", "t:inf"},
        {"nan", "t:nan"},
        {"1e999", "t:1e999"},
        {"SS_SH_1", "t:SS_SH_1"},
    };
    std::string line;
    for (const auto& [spelling, expected] : cases)
        line += spelling + ";";
    const int32_t store = loadText("1;1;\n" + line + "\n");
    const int32_t object = linesOf(store).at(0);
    ASSERT_EQ(Zorv_TXTGetSize(object), static_cast<int32_t>(cases.size()));
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(valueOf(object, static_cast<int32_t>(i)), cases[i].second)
            << "value \"" << cases[i].first << "\"";
}

TEST(TFileSave, EditedValuesAreWrittenInTheirNewForm) {
    const int32_t store = loadText("1;2;\r\nA;1;2;3;\r\n// keep\r\nB;x;y;\r\n");
    const auto lines = linesOf(store);
    ASSERT_EQ(lines.size(), 2u);
    const int32_t a = lines[0];
    const int32_t b = lines[1];

    auto number = intValue(-12);
    auto fraction = doubleValue(0.1);
    auto whole = doubleValue(3.0);
    const std::string name = "NEW ID";
    auto text = textValue(name);
    ZorvVariant empty{};
    Zorv_TXTSetValue(a, 0, &text);
    Zorv_TXTSetValue(a, 1, &number);
    Zorv_TXTSetValue(a, 2, &fraction);
    Zorv_TXTSetValue(a, 3, &whole);
    Zorv_TXTInsertValues(a, 1, 2);
    Zorv_TXTSetValue(b, 0, &empty);
    Zorv_TXTRemoveValues(b, 1, 1);
    Zorv_TXTSetSize(b, 3);
    ASSERT_EQ(Zorv_GetLastError(), 0) << objectsError();

    EXPECT_EQ(valuesOf(a), (std::vector<std::string>{"t:NEW ID", "i:0", "i:0", "i:-12",
                                                     "d:0.10000000000000001", "i:3"}));
    EXPECT_EQ(saveText(store), "1;2;\r\nNEW ID;0;0;-12;0.1;3;\r\n// keep\r\n0;y;0;\r\n");

    Zorv_TXTSetSize(a, 1);
    EXPECT_EQ(saveText(store), "1;2;\r\nNEW ID;\r\n// keep\r\n0;y;0;\r\n");
}

TEST(TFileSave, TextThatSpellsANumberStaysTextUntilReloaded) {
    const int32_t store = loadText("1;1;\nA;\n");
    const int32_t line = linesOf(store).at(0);
    const std::string digits = "7";
    auto text = textValue(digits);
    Zorv_TXTSetValue(line, 0, &text);
    EXPECT_EQ(valueOf(line, 0), "t:7");
    EXPECT_EQ(saveText(store), "1;1;\n7;\n");
}

TEST(TFileSave, NewLinesAndRemovedLinesKeepCommentsAfterTheLineTheyFollowed) {
    const int32_t store = loadText("1;3;\nA;\n// after A\nB;\nC;\n// end\n");
    const auto lines = linesOf(store);
    const int32_t before = Zorv_CreateObject(store, 1, lines[1]);
    const int32_t atEnd = Zorv_CreateObject(store, 1, 0);
    ASSERT_NE(before, 0) << objectsError();
    ASSERT_NE(atEnd, 0) << objectsError();
    EXPECT_EQ(Zorv_TXTGetSize(before), 0);
    Zorv_TXTSetSize(before, 2);
    const std::string id = "D";
    auto text = textValue(id);
    Zorv_TXTSetSize(atEnd, 1);
    Zorv_TXTSetValue(atEnd, 0, &text);
    EXPECT_EQ(saveText(store), "1;5;\nA;\n// after A\n0;0;\nB;\nC;\n// end\nD;\n");

    EXPECT_TRUE(Zorv_DeleteHandle(lines[0]));
    EXPECT_TRUE(Zorv_DeleteHandle(lines[2]));
    EXPECT_EQ(saveText(store), "1;3;\n// after A\n0;0;\nB;\n// end\nD;\n");
}

TEST(TFileSave, ALineAddedAfterALastLineWithoutBreakGetsTheFilesBreak) {
    const int32_t store = loadText("1;1;\r\nA;");
    Zorv_TXTSetSize(Zorv_CreateObject(store, 1, 0), 1);
    EXPECT_EQ(saveText(store), "1;2;\r\nA;\r\n0;\r\n");
}

TEST(TFileSave, SuccessClearsTheChangedMarks) {
    const int32_t store = loadText("1;1;\nA;1;\n");
    const int32_t line = linesOf(store).at(0);
    EXPECT_FALSE(Zorv_IsDirty(line));
    auto number = intValue(2);
    Zorv_TXTSetValue(line, 1, &number);
    EXPECT_TRUE(Zorv_IsDirty(line));
    saveText(store);
    EXPECT_FALSE(Zorv_IsDirty(line));
}

struct Unsavable {
    const char* name;
    std::string text;
};

void PrintTo(const Unsavable& value, std::ostream* out) {
    *out << value.name;
}

class UnsavableText : public testing::TestWithParam<Unsavable> {};

TEST_P(UnsavableText, FailsTheSaveNamingTheLineAndLeavesTheFile) {
    const std::string original = "1;2;\n// note\nA;1;\nB;2;\n";
    const int32_t store = loadText(original);
    const int32_t line = linesOf(store).at(1);
    auto text = textValue(GetParam().text);
    ASSERT_TRUE(Zorv_TXTSetValue(line, 0, &text));

    const std::string path = dataPath("TTest.txt");
    std::string error;
    EXPECT_FALSE(saveStore(store, path, 1, &error));
    EXPECT_THAT(error, AllOf(HasSubstr(path), HasSubstr("line 4")));
    EXPECT_EQ(testsupport::readFile(path), original);
    EXPECT_TRUE(Zorv_IsDirty(line));

    const std::string fixed = "B2";
    text = textValue(fixed);
    Zorv_TXTSetValue(line, 0, &text);
    EXPECT_TRUE(saveStore(store, path));
    EXPECT_EQ(testsupport::readFile(path), "1;2;\n// note\nA;1;\nB2;2;\n");
}

INSTANTIATE_TEST_SUITE_P(Values, UnsavableText,
                         testing::Values(Unsavable{"Separator", "a;b"},
                                         Unsavable{"LineFeed", "two\nlines"},
                                         Unsavable{"CarriageReturn", "cr\rhere"},
                                         Unsavable{"Nul", std::string("nul\0", 4)},
                                         Unsavable{"TooLong", std::string(4097, 'x')}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TFileSave, ALineLeftWithoutValuesFailsTheSave) {
    const int32_t store = loadText("1;1;\nA;\n");
    Zorv_CreateObject(store, 1, 0);
    std::string error;
    EXPECT_FALSE(saveStore(store, dataPath("out.txt"), 1, &error));
    EXPECT_THAT(error, AllOf(HasSubstr("line 3"), HasSubstr("no values")));
}

TEST(TFileSave, PackedSaveIsGzipAndReopensToTheSameValues) {
    const std::string text = "2;2;\nSS_A;1;0.25;\nSS_B;-3;name;\n";
    const int32_t store = loadText(text);
    const std::string path = dataPath("TPacked.pck");
    ASSERT_TRUE(saveStore(store, path, 2));

    const std::string packed = testsupport::readFile(path);
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed.substr(0, 2), "\x1f\x8b");
    EXPECT_EQ(std::system(("gzip -t '" + path + "'").c_str()), 0);

    const int32_t reopened = loadFile(path);
    ASSERT_NE(reopened, 0) << objectsError();
    const auto before = linesOf(store);
    const auto after = linesOf(reopened);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(valuesOf(after[i]), valuesOf(before[i]));
    EXPECT_EQ(saveText(reopened), text);
}

struct BadInput {
    const char* name;
    std::string text;
    std::string reason;
};

void PrintTo(const BadInput& value, std::ostream* out) {
    *out << value.name;
}

class RefusedFile : public testing::TestWithParam<BadInput> {};

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

TEST_P(RefusedFile, GetsAClearErrorNamingFileAndLine) {
    std::string error;
    EXPECT_EQ(zorvstore::parseTFile(GetParam().text, "types/TBad.txt", error), 0);
    EXPECT_THAT(error, AllOf(HasSubstr("\"types/TBad.txt\""), HasSubstr(GetParam().reason)));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RefusedFile,
    testing::Values(
        BadInput{"Empty", "", "empty"},
        BadInput{"OnlyComments", "// nothing\n\n", "no header line"},
        BadInput{"HeaderVersionZero", "0;1;\nA;\n", "line 1: the header's version is 0"},
        BadInput{"HeaderNotNumbers", "// c\nA;B;\n", "line 2: the header must be"},
        BadInput{"HeaderThreeValues", "1;2;3;\n", "line 1: the header must be"},
        BadInput{"TextAfterLastSeparator", "1;1;\nA;1;tail\n", "line 2: text after the last"},
        BadInput{"NulByte", std::string("1;1;\nA\0B;\n", 10), "line 2: binary data (0x00)"},
        BadInput{"ControlByte", "1;1;\nA\x01;\n", "line 2: a control byte (0x01)"},
        BadInput{"LoneCarriageReturn", "1;2;\nA;\rB;\n", "line 2: a control byte (0x0D)"},
        BadInput{"GarbageInComment", "// \x02\n1;0;\n", "line 1: a control byte"},
        BadInput{"ValueTooLong", "1;1;\nA;" + std::string(4097, 'x') + ";\n",
                 "line 2: the value at index 1 is longer than 4096 bytes"},
        BadInput{"LineTooLong", "1;1;\n" + std::string(1024 * 1024 + 1, ';') + "\n",
                 "line 2: the line is longer than 1048576 bytes"},
        BadInput{"TooManyLines", "1;1;\nA;\n" + std::string(249'999, '\n'),
                 "it has more than 250000 lines"},
        BadInput{"TooManyValues", "1;62;\n" + repeated(std::string(65'536, ';') + "\n", 62),
                 "line 63: the file holds more than 4000000 values"},
        BadInput{"Xml", "<?xml version=\"1.0\"?>\n<language id=\"44\"/>\n", "XML document"}),
    [](const auto& info) { return std::string(info.param.name); });

// 29 KB that unpack to ten million short lines are refused before the lines
// are built.
TEST(TFileRead, APackedFileOfTooManyLinesIsRefusedNamingIt) {
    const std::string packed = fdtest::gzip("1;1;\n" + repeated("A;\n", 10'000'000));
    testsupport::writeFile(testsupport::dataDir() / "TMany.pck", packed);
    const std::string path = dataPath("TMany.pck");
    EXPECT_EQ(loadFile(path), 0);
    EXPECT_THAT(objectsError(),
                AllOf(HasSubstr("\"" + path + "\""), HasSubstr("more than 250000 lines")));
}

// What the store writes must read back: a file grown past the bound is not
// saved.
TEST(TFileSave, AFileGrownPastTheLineBoundIsNotSaved) {
    const int32_t store = loadText("1;1;\nA;\n" + repeated("//\n", 249'997));
    ASSERT_NE(store, 0);
    ASSERT_EQ(Zorv_TXTSetSize(Zorv_CreateObject(store, 1, 0), 1), 1) << objectsError();
    const std::string path = dataPath("TSaved.txt");
    std::string error;
    EXPECT_TRUE(saveStore(store, path, 1, &error)) << error;
    ASSERT_EQ(Zorv_TXTSetSize(Zorv_CreateObject(store, 1, 0), 1), 1) << objectsError();
    EXPECT_FALSE(saveStore(store, path, 1, &error));
    EXPECT_THAT(error, HasSubstr("more than 250000 lines"));
}

// An XML document loads as an object of its own kind, which the T-file calls refuse.
TEST(TFileRead, LoadFromFileGivesAnXmlFileItsOwnKind) {
    testsupport::writeFile(testsupport::dataDir() / "0044-L044.xml", "<language id=\"44\"/>\n");
    const std::string path = dataPath("0044-L044.xml");
    const int32_t file = ZorvFD_OpenFile(path.c_str(), 0, 0, 0);
    const int32_t document = Zorv_LoadFromFile(file, 1);
    ZorvFD_CloseFile(file);
    EXPECT_EQ(Zorv_GetLastError(), 0);
    EXPECT_EQ(Zorv_GetObjectType(document), ZORV_OBJECT_XML);
    int32_t count = 0;
    EXPECT_EQ(Zorv_EnumObjects(document, nullptr, 0, &count), 0);
    EXPECT_THAT(objectsError(), HasSubstr("is not a T-file store handle"));
    EXPECT_EQ(Zorv_DeleteHandle(document), 1);
    EXPECT_EQ(Zorv_GetObjectType(document), 0);
}

TEST(TFileRead, LoadFromFileReportsAnUnreadableHandle) {
    EXPECT_EQ(Zorv_LoadFromFile(0, 1), 0);
    EXPECT_NE(Zorv_GetLastError(), 0);
    EXPECT_FALSE(objectsError().empty());

    const int32_t store = loadText("1;0;\n");
    EXPECT_EQ(Zorv_GetObjectType(store), ZORV_OBJECT_TFILE);
    EXPECT_EQ(Zorv_GetLastError(), 0);
}

} // namespace

namespace {

// The separators and the first control byte, found the plain way.
std::pair<std::vector<uint32_t>, std::size_t> plainScan(std::string_view text) {
    std::vector<uint32_t> ends;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ';')
            ends.push_back(static_cast<uint32_t>(i));
        else if ((c < 0x20 && c != '\t') || c == 0x7f)
            return {ends, i};
    }
    return {ends, text.size()};
}

} // namespace

// The word-at-a-time scan finds what a byte-by-byte one finds, wherever the
// separators, tabs, control and high bytes fall within the eight-byte words.
TEST(TFileRead, SeparatorsAndControlBytesAreFoundAtEveryPosition) {
    const std::string base = "12;-3.5;caf\xc3\xa9;\xff\x80;;a\tb;x;";
    for (const char inserted : {'\0', '\x01', '\x1f', '\x7f', '\t', ';', ' ', '\x80'}) {
        for (std::size_t at = 0; at <= base.size(); ++at) {
            std::string text = base;
            text.insert(at, 1, inserted);
            SCOPED_TRACE(std::to_string(static_cast<unsigned char>(inserted)) + " at " +
                         std::to_string(at));
            std::vector<uint32_t> ends;
            const std::size_t control = zorvstore::findSeparators(text, ends);
            const auto [plainEnds, plainControl] = plainScan(text);
            EXPECT_EQ(control, plainControl);
            EXPECT_EQ(ends, plainEnds);
        }
    }
}
