// Splits a command line into arguments as Windows programs do.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zorvstore {

// Blanks separate arguments outside double quotes; quotes group and are
// dropped; inside quotes "" gives one quote; 2n backslashes before a quote
// give n backslashes (the quote groups), 2n+1 give n and a literal quote;
// other backslashes stay as they are. No text, or only blanks, gives none.
std::vector<std::string> splitCommandLine(std::string_view line);

} // namespace zorvstore
