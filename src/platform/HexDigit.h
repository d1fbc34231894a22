// The value of one hexadecimal digit, for the parsers that read hex text.
#pragma once

#include <QChar>

namespace platform {

// 0 to 15, or -1 when the character is no ASCII hex digit.
inline int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace platform
