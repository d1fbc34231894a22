// The editor's caption, save prompt, escape display and list search.
#include "resources/widgets/ResEditorPresentation.h"
#include "shell/mdlZorvConst.h"

#include <gmock/gmock.h>

#include <QStringList>

namespace {

using namespace ResEditorPresentation;

TEST(ResEditorPresentation, CaptionsNameTheDocumentAndItsLanguage) {
    mdlZorvConst::InitArrays();
    EXPECT_EQ(Caption("", 44, false, false), "Text Resource Editor");
    EXPECT_EQ(Caption("440001.xml", 44, false, false),
              "Text Resource Editor [440001.xml (English)]");
    EXPECT_EQ(Caption("440001.xml", 99, false, true),
              "Text Resource Editor [440001.xml (lang ID: 99)] *");
    EXPECT_EQ(Caption("pages in memory", -1, true, false),
              "Text Resource Editor [pages in memory]");
    EXPECT_EQ(Caption("", 44, false, true), "Text Resource Editor *");
}

TEST(ResEditorPresentation, TheSavePromptNamesTheFileWithoutItsFolder) {
    EXPECT_EQ(SavePromptText("/data/t/440001.xml", false),
              "You have changed data in file 440001.xml\nDo you want to save your changes?");
    EXPECT_EQ(SavePromptText("C:\\game\\t\\440001.pck", true),
              "You have changed data in file 440001.pck\n\nDo you want to save your changes?");
    EXPECT_EQ(SavePromptText("Merged Files", false),
              "You have changed data in file Merged Files\nDo you want to save your changes?");
}

TEST(ResEditorPresentation, EscapesShowAsLineBreaksAndTabs) {
    EXPECT_EQ(DisplayText("One\\nTwo(||)Three\\tFour"), "One\nTwo\nThree\tFour");
    EXPECT_EQ(DisplayText("Up\\NDown\\T."), "Up\nDown\t.") << "letter case ignored";
    EXPECT_EQ(DisplayText("plain"), "plain");
}

struct FindCase {
    const char* name;
    bool wholeWords;
    const char* data;
    int selected;
    int tag;
    int found; // -1: none
};

void PrintTo(const FindCase& c, std::ostream* out) {
    *out << c.name;
}

class ResEditorFind : public testing::TestWithParam<FindCase> {};

TEST_P(ResEditorFind, SearchesFromTheSelectedRowWithoutWrapping) {
    const QStringList rows = {"17", "7", "Alpha beta", "beta", "70"};
    const FindCase& c = GetParam();
    const auto found = FindNextRow(int(rows.size()), {c.wholeWords, c.data, c.selected, c.tag},
                                   [&](int row) { return rows[row]; });
    EXPECT_EQ(found.value_or(-1), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResEditorFind,
    testing::Values(FindCase{"WholeIdFindsSevenNotSeventeen", true, "7", -1, -1, 1},
                    FindCase{"PartOfAnIdFindsSeventeenFirst", false, "7", -1, -1, 0},
                    FindCase{"TheFoundRowStillSelectedMovesOn", false, "7", 0, 0, 1},
                    FindCase{"AnotherSelectedRowIsSearchedItself", false, "7", 1, 0, 1},
                    FindCase{"NoWrapPastTheLastRow", false, "7", 4, 4, -1},
                    FindCase{"LetterCaseIgnored", false, "BETA", -1, -1, 2},
                    FindCase{"WholeTextsOnly", true, "BETA", -1, -1, 3},
                    FindCase{"NothingMatches", false, "gamma", -1, -1, -1}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

} // namespace
