#include "galaxy/MapNumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace mapnumber {
namespace {

// One character of the text as a code: the attribute texts come as UTF-8
// bytes, typed ones as UTF-16; only ASCII characters are ever part of a number.
char16_t Code(QChar c) {
    return c.unicode();
}
char16_t Code(char c) {
    return static_cast<unsigned char>(c);
}

template <class Char> bool IsBlank(Char c) {
    const char16_t code = Code(c);
    return code == u' ' || code == u'\t' || code == u'\r' || code == u'\n';
}
template <class Char> bool IsDigit(Char c) {
    const char16_t code = Code(c);
    return code >= u'0' && code <= u'9';
}
template <class Char> bool Is(Char c, char16_t code) {
    return Code(c) == code;
}

template <class View> View Trimmed(View text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.sliced(first, last - first);
}

// Digits, then an optional fraction and exponent: true when the whole text
// has that form.
template <class View> bool IsUnsignedDecimal(View text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    qsizetype digits = 0;
    for (; i < n && IsDigit(text[i]); ++i)
        ++digits;
    if (i < n && Is(text[i], u'.'))
        for (++i; i < n && IsDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < n && (Is(text[i], u'e') || Is(text[i], u'E'))) {
        ++i;
        if (i < n && (Is(text[i], u'+') || Is(text[i], u'-')))
            ++i;
        const qsizetype exponentStart = i;
        while (i < n && IsDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == n;
}

Result FromDouble(double number, int32_t& value) {
    const double rounded = std::nearbyint(number);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max())
        return Result::OutOfRange;
    value = static_cast<int32_t>(rounded);
    return Result::Number;
}

// A number below the smallest double (a large negative exponent) is 0.
// The text is plain ASCII by now.
bool IsTiny(std::string_view text) {
    const std::size_t exponent = text.find_first_of("eE");
    return exponent != std::string_view::npos && exponent + 1 < text.size() &&
           text[exponent + 1] == '-';
}

std::string Ascii(QStringView text) {
    return text.toLatin1().toStdString();
}
std::string_view Ascii(QByteArrayView text) {
    return {text.data(), static_cast<std::size_t>(text.size())};
}

// The usual attribute text, an optional "-" and up to nine digits with
// nothing around them, read in one pass; false for any other text.
template <class View> bool ReadPlain(View text, int32_t& value) {
    const qsizetype n = text.size();
    const bool negative = n > 0 && Is(text[0], u'-');
    qsizetype i = negative ? 1 : 0;
    if (i == n || n - i > 9)
        return false;
    int32_t whole = 0;
    for (; i < n; ++i) {
        if (!IsDigit(text[i]))
            return false;
        whole = whole * 10 + (Code(text[i]) - u'0');
    }
    value = negative ? -whole : whole;
    return true;
}

template <class View> Result ReadNumber(View text, int32_t& value) {
    if (ReadPlain(text, value))
        return Result::Number;
    value = 0;
    text = Trimmed(text);
    bool negative = false;
    if (!text.isEmpty() && (Is(text[0], u'+') || Is(text[0], u'-'))) {
        negative = Is(text[0], u'-');
        text = text.sliced(1);
    }
    if (!IsUnsignedDecimal(text))
        return Result::NotNumber;

    // Plain whole numbers, by far the most common, need no floating point.
    int64_t whole = 0;
    qsizetype i = 0;
    for (; i < text.size() && IsDigit(text[i]) && whole <= (int64_t{1} << 32); ++i)
        whole = whole * 10 + (Code(text[i]) - u'0');
    if (i == text.size())
        return FromDouble(static_cast<double>(negative ? -whole : whole), value);

    const auto ascii = Ascii(text);
    const std::string_view digits(ascii);
    double number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error == std::errc::result_out_of_range)
        return IsTiny(digits) ? Result::Number : Result::OutOfRange;
    if (error != std::errc() || end != digits.data() + digits.size())
        return Result::NotNumber;
    return FromDouble(negative ? -number : number, value);
}

} // namespace

Result Read(QStringView text, int32_t& value) {
    return ReadNumber(text, value);
}

Result Read(QByteArrayView utf8, int32_t& value) {
    return ReadNumber(utf8, value);
}

Result ReadUnusual(const char* utf8, int32_t& value) {
    return ReadNumber(QByteArrayView(utf8), value);
}

} // namespace mapnumber
