// Name patterns of the searches: "*" any run of characters, "?" any one;
// letter case is ignored.
#pragma once
#include <string_view>

namespace zorvvfs {

bool wildcardMatch(std::string_view pattern, std::string_view name);

} // namespace zorvvfs
