#include "ValueText.h"

#include <charconv>
#include <cmath>

namespace zorvstore {
namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

// Sign, digits, optional "." and digits, optional exponent; at least one
// digit before the exponent. Tells whether it is all plain digits.
bool matchesNumber(std::string_view s, bool& plainInteger) {
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    const std::size_t intStart = i;
    i = skipDigits(s, i);
    std::size_t mantissaDigits = i - intStart;
    plainInteger = i == s.size() && mantissaDigits > 0;
    if (plainInteger)
        return true;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = ++i;
        i = skipDigits(s, i);
        mantissaDigits += i - fracStart;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const std::size_t expStart = i;
        i = skipDigits(s, i);
        if (i == expStart)
            return false;
    }
    return i == s.size();
}

} // namespace

ValueReading readValue(std::string_view spelling) {
    ValueReading reading;
    std::string_view number = trimBlanks(spelling);
    bool plainInteger = false;
    if (!matchesNumber(number, plainInteger))
        return reading;
    if (number.front() == '+')
        number.remove_prefix(1);
    const char* first = number.data();
    const char* last = first + number.size();
    if (plainInteger) {
        int32_t value = 0;
        if (std::from_chars(first, last, value).ec == std::errc()) {
            reading.kind = ValueKind::Int;
            reading.intValue = value;
            return reading;
        }
    }
    double value = 0.0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc() && end == last && std::isfinite(value)) {
        reading.kind = ValueKind::Double;
        reading.doubleValue = value;
    }
    return reading;
}

std::string formatInt(int32_t value) {
    return std::to_string(value);
}

std::string formatDouble(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string unsavableReason(std::string_view spelling) {
    if (spelling.size() > kMaxValueBytes)
        return "is longer than " + std::to_string(kMaxValueBytes) + " bytes";
    for (char c : spelling) {
        if (c == ';')
            return "holds \";\"";
        if (c == '\n' || c == '\r')
            return "holds a line break";
        if (isControlByte(static_cast<unsigned char>(c)))
            return "holds a control byte";
    }
    return {};
}

} // namespace zorvstore
