#include "platform/CollectionKey.h"

#include <algorithm>
#include <charconv>

namespace platform {

namespace {

char16_t LowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

} // namespace

CollectionKey::CollectionKey(int32_t number) {
    Append(number);
    m_chars[m_size++] = u'k';
}

CollectionKey::CollectionKey(int32_t first, int32_t second) {
    Append(first);
    m_chars[m_size++] = u'-';
    Append(second);
    m_chars[m_size++] = u'k';
}

CollectionKey::CollectionKey(const QString& text) {
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii && text.size() <= kInline) {
        std::copy(text.utf16(), text.utf16() + text.size(), m_chars);
        m_size = static_cast<uint8_t>(text.size());
        return;
    }
    m_size = kLong;
    m_long = std::make_shared<const Long>(Long{text, text.toCaseFolded()});
}

void CollectionKey::Append(int32_t number) {
    char digits[12];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    for (const char* at = digits; at != end; ++at)
        m_chars[m_size++] = char16_t(*at);
}

QString CollectionKey::toString() const {
    if (IsLong())
        return m_long->text;
    return QString(reinterpret_cast<const QChar*>(m_chars), m_size);
}

QString CollectionKey::View() const {
    if (IsLong())
        return m_long->text;
    return QString::fromRawData(reinterpret_cast<const QChar*>(m_chars), m_size);
}

QStringView CollectionKey::Folded(char16_t (&buffer)[kInline]) const {
    if (IsLong())
        return m_long->folded;
    std::transform(m_chars, m_chars + m_size, buffer, LowerAscii);
    return QStringView(buffer, m_size);
}

bool operator==(const CollectionKey& a, const CollectionKey& b) {
    if (!a.IsLong() && !b.IsLong())
        return a.m_size == b.m_size &&
               std::equal(a.m_chars, a.m_chars + a.m_size, b.m_chars,
                          [](char16_t x, char16_t y) { return LowerAscii(x) == LowerAscii(y); });
    char16_t first[CollectionKey::kInline];
    char16_t second[CollectionKey::kInline];
    return a.Folded(first) == b.Folded(second);
}

size_t qHash(const CollectionKey& key, size_t seed) noexcept {
    char16_t buffer[CollectionKey::kInline];
    return qHash(key.Folded(buffer), seed);
}

} // namespace platform
