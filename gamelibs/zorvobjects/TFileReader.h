// Turns T-file text into a store (without handles yet).
#pragma once
#include "TFileStore.h"

#include <memory>
#include <string>
#include <string_view>

namespace zorvstore {

// Text that starts, after a byte order mark and blanks, with "<".
bool looksLikeXml(std::string_view content);

// Null with the reason in error, naming the file (name) and the line.
std::shared_ptr<TFileStore> readTFile(std::string_view content, const std::string& name,
                                      std::string& error);

} // namespace zorvstore
