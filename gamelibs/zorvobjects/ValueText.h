// How one T-file value reads and how a number is written.
#pragma once
#include "zorvobjects.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvstore {

// Bounds that keep a hostile file from exhausting memory; a save checks the
// same bounds, so every file the store writes reads back.
inline constexpr std::size_t kMaxValueBytes = 4096;
inline constexpr std::size_t kMaxLineBytes = 1024 * 1024;
inline constexpr std::size_t kMaxLineValues = ZORV_MAX_LINE_VALUES;
// What a whole file may hold, text lines (comments too) and values; far above
// any real file, and checked before its lines are built.
inline constexpr std::size_t kMaxFileLines = 250'000;
inline constexpr std::size_t kMaxFileValues = 4'000'000;

enum class ValueKind { Int, Double, Text };

struct ValueReading {
    ValueKind kind = ValueKind::Text;
    int32_t intValue = 0;
    double doubleValue = 0.0;
};

// Integer: optional sign and digits within 32 bits. Decimal: optional sign,
// digits with a "." and/or an exponent, or digits beyond 32 bits; finite.
// Blanks (space, tab) may surround a number. Anything else is text.
ValueReading readValue(std::string_view spelling);

std::string formatInt(int32_t value);
// Shortest text that reads back as the same double, C locale; 3.0 gives "3".
std::string formatDouble(double value);

// Why a value cannot go into a file as it is; empty when it can.
std::string unsavableReason(std::string_view spelling);

// A byte that never belongs in T-file text (control bytes other than tab).
inline bool isControlByte(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7f;
}
inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A line that reads as a comment: blank, or "//" after leading blanks.
inline bool readsAsComment(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i == text.size() || text.substr(i, 2) == "//";
}

} // namespace zorvstore
