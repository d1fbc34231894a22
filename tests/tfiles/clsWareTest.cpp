#include "tfiles/TFileTestSupport.h"

#include "shell/mdlZorvConst.h"
#include "tfiles/clsWare.h"

#include <gtest/gtest.h>

namespace {

// A line of 15 values whose value 13 is the given text.
std::string LineWithRace(const std::string& race) {
    std::string line;
    for (int i = 0; i < 13; ++i)
        line += "0;";
    return line + race + ";ID;";
}

struct RaceCase {
    int32_t kind;
    std::string race;
    const char* expected;
};

TEST(clsWare, RaceOfFactoriesAndDocksOnly) {
    mdlZorvConst::InitArrays();
    const RaceCase cases[] = {
        {7, "3", "Halmorid"},
        {10, "10", "Thuvanni"},
        {7, "0", "N/A"},
        {10, "11", "N/A"},
        {7, "2.5", "Corvathi"},  // halves go to the even race
        {7, "some text", "N/A"}, // a text names no race, and raises nothing
        {3, "3", ""},
        {8, "3", ""},
    };
    std::vector<std::string> lines;
    for (const RaceCase& c : cases)
        lines.push_back(LineWithRace(c.race));
    clsTxtParser parser;
    ASSERT_TRUE(tfiletest::LoadBytes(parser, tfiletest::TFile(lines)))
        << parser.GetLastError().toStdString();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        clsWare ware;
        ware.Object = parser.FindIndex(static_cast<int32_t>(i));
        ASSERT_TRUE(ware.Object);
        ware.Object->otype = cases[i].kind;
        EXPECT_EQ(ware.Race(), cases[i].expected)
            << "kind " << cases[i].kind << ", race " << cases[i].race;
    }
    // The fixture holds what the cases say: a decimal number and a text.
    EXPECT_EQ(parser.FindIndex(4)->Value(13).typeId(), QMetaType::Double);
    EXPECT_EQ(parser.FindIndex(5)->Value(13).typeId(), QMetaType::QByteArray);
}

TEST(clsWare, ForwardsToItsLineAndStartsEmpty) {
    mdlZorvConst::InitArrays();
    clsWare ware;
    EXPECT_EQ(ware.size(), 0);
    ware.Object->otype = 7;
    EXPECT_EQ(ware.Race(), "N/A"); // a line without value 13

    clsTxtParser parser;
    ASSERT_TRUE(tfiletest::LoadBytes(parser, tfiletest::TFile({"1;2;3;ID;"})));
    ware.Object = parser.FindIndex(0);
    EXPECT_EQ(ware.size(), 4);
    ware.SetValue(1, 42);
    EXPECT_EQ(ware.Value(1).toInt(), 42);
    EXPECT_EQ(ware.Object->Value(1).toInt(), 42);
}

} // namespace
