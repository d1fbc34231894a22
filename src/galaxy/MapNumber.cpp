#include "galaxy/MapNumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace mapnumber {
namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

QStringView Trimmed(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

// Digits, then an optional fraction and exponent: true when the whole text
// has that form.
bool IsUnsignedDecimal(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    qsizetype digits = 0;
    for (; i < n && IsDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == u'.')
        for (++i; i < n && IsDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
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
bool IsTiny(QStringView text) {
    const qsizetype exponent = text.indexOf(u'e', 0, Qt::CaseInsensitive);
    return exponent >= 0 && exponent + 1 < text.size() && text[exponent + 1] == u'-';
}

} // namespace

Result Read(QStringView text, int32_t& value) {
    value = 0;
    text = Trimmed(text);
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        text = text.mid(1);
    }
    if (!IsUnsignedDecimal(text))
        return Result::NotNumber;

    // Plain whole numbers, by far the most common, need no floating point.
    int64_t whole = 0;
    qsizetype i = 0;
    for (; i < text.size() && IsDigit(text[i]) && whole <= (int64_t{1} << 32); ++i)
        whole = whole * 10 + (text[i].unicode() - u'0');
    if (i == text.size())
        return FromDouble(static_cast<double>(negative ? -whole : whole), value);

    const std::string ascii = text.toLatin1().toStdString();
    double number = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number);
    if (error == std::errc::result_out_of_range)
        return IsTiny(text) ? Result::Number : Result::OutOfRange;
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return Result::NotNumber;
    return FromDouble(negative ? -number : number, value);
}

} // namespace mapnumber
