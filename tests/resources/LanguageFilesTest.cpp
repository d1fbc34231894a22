// Language file names, the new-file proposal and the merge list.
#include "resources/LanguageFiles.h"
#include "ResourceTestSupport.h"

#include <gmock/gmock.h>

namespace {

QString Folder() {
    return restest::DataPath("t");
}

void Files(std::initializer_list<const char*> names) {
    for (const char* name : names)
        testsupport::writeFile(testsupport::dataDir() / "t" / name, "");
}

TEST(LanguageFiles, NamesHaveATwoDigitLanguageAndAFourDigitNumber) {
    EXPECT_EQ(LanguageFiles::LanguageFileName(44, 3), "440003.xml");
    EXPECT_EQ(LanguageFiles::LanguageFileName(7, 12), "070012.xml");
    EXPECT_EQ(LanguageFiles::LanguageFileName(44, 12345), "4412345.xml") << "pads, never cuts";
    EXPECT_EQ(LanguageFiles::LanguagePrefix(100), "100");
}

TEST(LanguageFiles, TheProposalFollowsTheHighestPlainFile) {
    Files({"440001.xml", "440007.xml", "44abcd.xml", "440012.pck", "490020.xml"});
    EXPECT_EQ(LanguageFiles::ProposeFileNumber(Folder(), 44), 8);
    EXPECT_EQ(LanguageFiles::ProposeFileNumber(Folder(), 33), 1) << "no file";
    EXPECT_EQ(LanguageFiles::ProposeFileNumber(Folder(), 4), 1) << "44 and 49 files are not 04";
    EXPECT_EQ(LanguageFiles::ProposeFileNumber(restest::DataPath("none"), 44), 1);
}

TEST(LanguageFiles, TheProposalNeverTakesTheNumberOfAPackedFile) {
    Files({"070001.xml", "070002.pck", "070003.PCK", "0700x4.pck", "7.xml"});
    EXPECT_EQ(LanguageFiles::ProposeFileNumber(Folder(), 7), 4);
}

TEST(LanguageFiles, TheMergeListHoldsTheLanguagesPlainAndPackedFiles) {
    Files({"440002.xml", "440001.xml", "440003.pck", "440004.txt", "040001.xml", "49.xml"});
    EXPECT_THAT(LanguageFiles::MergeCandidates(Folder(), 44),
                testing::ElementsAre("440001.xml", "440002.xml", "440003.pck"));
    EXPECT_THAT(LanguageFiles::MergeCandidates(Folder(), 4), testing::ElementsAre("040001.xml"));
}

} // namespace
