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
// The same for a NUL-ended UTF-8 text.
Result Read(const char* utf8, int32_t& value);

} // namespace mapnumber
