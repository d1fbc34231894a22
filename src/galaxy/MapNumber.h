// Reading the decimal text of a map attribute as a 32-bit whole number.
#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <cstdint>

namespace mapnumber {

enum class Result { Number, NotNumber, OutOfRange };

// An optionally signed decimal number, with an optional fraction and
// exponent, blanks around it allowed; a fraction rounds to the nearest whole
// number, halves to even. Anything else is NotNumber and gives 0; a number
// beyond the 32-bit range is OutOfRange.
Result Read(QStringView text, int32_t& value);
// The same for the UTF-8 bytes of a text.
Result Read(QByteArrayView utf8, int32_t& value);
// The same for a NUL-ended UTF-8 text of a form other than the usual one
// (see below).
Result ReadUnusual(const char* utf8, int32_t& value);

// The same for a NUL-ended UTF-8 text. The usual text, an optional "-" and
// up to nine digits with nothing around them, is read here in one pass.
inline Result Read(const char* utf8, int32_t& value) {
    const bool negative = utf8[0] == '-';
    const char* const digits = utf8 + (negative ? 1 : 0);
    const char* end = digits;
    uint32_t whole = 0;
    for (; static_cast<unsigned char>(*end - '0') < 10; ++end)
        whole = whole * 10 + static_cast<uint32_t>(*end - '0');
    if (*end != '\0' || end == digits || end - digits > 9)
        return ReadUnusual(utf8, value);
    value = negative ? -static_cast<int32_t>(whole) : static_cast<int32_t>(whole);
    return Result::Number;
}

} // namespace mapnumber
