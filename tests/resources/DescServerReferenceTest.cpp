// Reference lists: resolved against the file they come from, within and
// across pages, with missing targets and cycles.
#include "ResourceTestSupport.h"
#include "resources/clsDescServer.h"

#include <gmock/gmock.h>

using restest::Language;
using restest::Page;
using restest::Text;
using restest::WriteLanguageFile;

namespace {

TEST(DescServerReference, ReferencesResolveWithinAndAcrossPages) {
    struct Case {
        int32_t id;
        const char* text;
    };
    const Case cases[] = {
        {10, "A B "},      // {17,100}{17,101}: each part followed by a blank
        {11, "A "},        // {,100}: the text's own page
        {12, "Home "},     // another page of the same file
        {13, "A  Home  "}, // references to reference lists
        {14, " "},         // {abc}: no comma, an empty part
        {15, " A "},       // a missing target still gives its blank
        {16, "{17,100"},   // unterminated: the raw text
        {17, "A "},        // text outside the braces is dropped
        {19, "x{17,100}"}, // not a list: it does not begin with "{"
        {18, " "},         // only the other file has it
    };
    WriteLanguageFile("440001.xml",
                      Language(44, Page("17", "Names",
                                        Text("10", "{17,100}{17,101}") + Text("11", "{,100}") +
                                            Text("12", "{7,1}") + Text("13", "{17,11}{17,12}") +
                                            Text("14", "{abc}") + Text("15", "{17,999}{17,100}") +
                                            Text("16", "{17,100") + Text("17", "{17,100}tail") +
                                            Text("19", "x{17,100}") + Text("18", "{2000,1}") +
                                            Text("100", "A") + Text("101", "B")) +
                                       Page("7", "Sectors", Text("1", "Home"))));
    WriteLanguageFile("440002.xml", Language(44, Page("2000", "Later", Text("1", "elsewhere"))));
    restest::OpenDataFolder();

    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    for (const Case& c : cases)
        EXPECT_EQ(server.GetString2(17, c.id), c.text) << c.id;
    EXPECT_EQ(server.GetString(17, 10)->RawText(), "{17,100}{17,101}");
}

TEST(DescServerReference, TargetsResolveToTheirWholeTextWhateverItHolds) {
    // Targets on a cached page, on a page read only to resolve them (100),
    // and texts of several parts, outside ASCII, or with entities.
    struct Case {
        int32_t id;
        const char* text;
    };
    const Case cases[] = {
        {1, "Größe € "},           // {17,50}
        {2, "Größe €  Größe €  "}, // {17,3}{,3}: a list of a non-ASCII list
        {4, "Smörgås "},           // {100,1}: the skipped page's own bytes
        {5, "a ß b "},             // {100,2}: text, CDATA, text joined by blanks
        {6, "x < y "},             // {100,3}: an entity as its character
        {7, "Größe € Smörgås "},   // {17,50}ü{100,1}: what lies between is dropped
        {8, "{17,50ö"},            // unterminated: the raw text
        {9, "Größe € "},           // { 17 , 50 }: blanks around the numbers
        {10, "später "},           // {17,60}: a repeated id means its later text
    };
    WriteLanguageFile(
        "440001.xml",
        Language(44, Page("17", "Names",
                          Text("1", "{17,50}") + Text("2", "{17,3}{,3}") + Text("3", "{17,50}") +
                              Text("4", "{100,1}") + Text("5", "{100,2}") + Text("6", "{100,3}") +
                              Text("7", "{17,50}ü{100,1}") + Text("8", "{17,50ö") +
                              Text("9", "{ 17 , 50 }") + Text("10", "{17,60}") +
                              Text("50", "Größe €") + Text("60", "früher") + Text("60", "später")) +
                         Page("100", "Skipped",
                              Text("1", "Smörgås") + Text("2", "a<![CDATA[ß]]>b") +
                                  Text("3", "x &lt; y"))));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    for (const Case& c : cases)
        EXPECT_EQ(server.GetString2(17, c.id), QString::fromUtf8(c.text)) << c.id;
}

TEST(DescServerReference, PageZeroMeansThePageTheTargetWasFoundIn) {
    WriteLanguageFile(
        "440001.xml",
        Language(44, Page("17", "Names",
                          Text("1", "{7,1}") + Text("2", "{0,2}") + Text("3", "names two")) +
                         Page("7", "Sectors", Text("1", "{0,3}") + Text("3", "sectors three"))));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_EQ(server.GetString2(17, 1), "sectors three  ");
    EXPECT_EQ(server.GetString2(7, 1), "sectors three ");
    EXPECT_EQ(server.GetString2(17, 2), " ") << "page 17 has no text 2 but itself";
}

TEST(DescServerReference, APageOnSeveralElementsResolvesByItsFirstElementHoldingTheId) {
    // Pages 100 and 101 are not cached: references into them are looked up
    // in the file.
    WriteLanguageFile(
        "440001.xml",
        Language(
            44,
            Page("17", "Names",
                 Text("1", "{100,1}") + Text("2", "{100,2}") + Text("3", "{100,3}") +
                     Text("4", "{100,4}") + Text("5", "{101,2}")) +
                Page("100", "Empty", "") +
                Page("100", "First",
                     Text("1", "first one") + Text("2", "early two") + Text("2", "later two")) +
                Page("100", "Second", Text("1", "second one") + Text("3", "three")) +
                Page("101", "In order", Text("1", "one") + Text("2", "two") + Text("2", "again"))));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_EQ(server.GetString2(17, 1), "first one ");
    EXPECT_EQ(server.GetString2(17, 2), "later two ") << "within one element the later id";
    EXPECT_EQ(server.GetString2(17, 3), "three ");
    EXPECT_EQ(server.GetString2(17, 4), " ");
    EXPECT_EQ(server.GetString2(17, 5), "again ");
}

TEST(DescServerReference, CyclesResolveToAnEmptyPartAndTheRestStillResolves) {
    WriteLanguageFile(
        "440001.xml",
        Language(44, Page("17", "Names",
                          Text("5", "{17,5}{17,9}") + Text("6", "{17,7}{17,9}") +
                              Text("7", "{17,6}") + Text("8", "{,8}") + Text("9", "Nine"))));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_EQ(server.GetString2(17, 5), " Nine ");
    EXPECT_EQ(server.GetString2(17, 6), "  Nine ");
    EXPECT_EQ(server.GetString2(17, 7), " Nine  ");
    EXPECT_EQ(server.GetString2(17, 8), " ");
}

TEST(DescServerReference, AWideTreeOfReferencesStaysBounded) {
    // Each level refers twice to the next: 2^40 expansions without a bound.
    std::string texts;
    for (int level = 1; level <= 40; ++level)
        texts += Text(std::to_string(level), "{17," + std::to_string(level + 1) + "}{17," +
                                                 std::to_string(level + 1) + "}");
    texts += Text("41", "leaf");
    WriteLanguageFile("440001.xml", Language(44, Page("17", "Deep", texts)));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_THAT(server.GetString2(17, 40).toStdString(), testing::StartsWith("leaf leaf"));
    EXPECT_FALSE(server.GetString2(17, 1).isEmpty());
}

} // namespace
