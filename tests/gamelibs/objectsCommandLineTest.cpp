// Splitting a command line into arguments.
#include "zorvobjects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> split(const char* commandLine) {
    ZorvVariant arguments{};
    EXPECT_TRUE(Zorv_CommandLineToArgV(commandLine, &arguments));
    EXPECT_EQ(arguments.type, ZORV_VT_TEXT_LIST);
    std::vector<std::string> items(arguments.items, arguments.items + arguments.count);
    Zorv_VariantClear(&arguments);
    EXPECT_EQ(arguments.type, ZORV_VT_EMPTY);
    EXPECT_EQ(arguments.items, nullptr);
    return items;
}

TEST(CommandLineToArgV, SplitsLikeAWindowsCommandLine) {
    using Args = std::vector<std::string>;
    const std::vector<std::pair<const char*, Args>> cases = {
        {"", {}},
        {" \t ", {}},
        {"TShips.txt", {"TShips.txt"}},
        {"  -tfile   TShips.txt  ", {"-tfile", "TShips.txt"}},
        {"a\tb", {"a", "b"}},
        {"-map \"C:\\Zorv Data\\maps\\x.xml\"", {"-map", "C:\\Zorv Data\\maps\\x.xml"}},
        {"\"\"", {""}},
        {"a \"\" b", {"a", "", "b"}},
        {"ab\"c d\"e", {"abc de"}},
        {"\"unclosed arg", {"unclosed arg"}},
        {"a\\\\b", {"a\\\\b"}},
        {"a\\\"b", {"a\"b"}},
        {"\"a\\\\\" b", {"a\\", "b"}},
        {"\"a\\\\\\\" b\"", {"a\\\" b"}},
        {"\"say \"\"hi\"\" now\"", {"say \"hi\" now"}},
        {"\xe9t\xe9 x", {"\xe9t\xe9", "x"}},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(split(line), expected) << "command line [" << line << "]";
}

TEST(CommandLineToArgV, NoTextGivesNoArguments) {
    EXPECT_TRUE(split(nullptr).empty());
    EXPECT_EQ(Zorv_CommandLineToArgV("a", nullptr), 0);
    EXPECT_NE(Zorv_GetLastError(), 0);
}

} // namespace
