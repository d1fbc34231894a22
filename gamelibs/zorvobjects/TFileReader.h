// Turns T-file text into a store (without handles yet).
#pragma once
#include "TFileStore.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zorvstore {

// The offset of every ';' of a line, in order, into ends; the result is the
// offset of the first control byte other than tab, or text.size() when there
// is none (ends then holds only the ';' before it).
std::size_t findSeparators(std::string_view text, std::vector<uint32_t>& ends);

// The text's lines: its line breaks, and a last line without one.
std::size_t textLines(std::string_view content);

// Text that starts, after a byte order mark and blanks, with "<".
bool looksLikeXml(std::string_view content);

// Null with the reason in error, naming the file (name) and the line.
std::shared_ptr<TFileStore> readTFile(std::string_view content, const std::string& name,
                                      std::string& error);

} // namespace zorvstore
