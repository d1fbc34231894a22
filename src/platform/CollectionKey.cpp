#include "platform/CollectionKey.h"

#include <algorithm>
#include <charconv>

namespace platform {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

} // namespace

CollectionKey::CollectionKey(int32_t number) {
    Append(number);
    m_chars[m_size++] = 'k';
}

CollectionKey::CollectionKey(int32_t first, int32_t second) {
    Append(first);
    m_chars[m_size++] = '-';
    Append(second);
    m_chars[m_size++] = 'k';
}

CollectionKey::CollectionKey(const QString& text) {
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii && text.size() <= kInline) {
        std::transform(text.begin(), text.end(), m_chars,
                       [](QChar c) { return char(c.unicode()); });
        m_size = static_cast<uint8_t>(text.size());
        return;
    }
    m_size = kLong;
    m_long = std::make_shared<const Long>(Long{text, text.toCaseFolded()});
}

void CollectionKey::Append(int32_t number) {
    const char* end = std::to_chars(m_chars + m_size, m_chars + kInline, number).ptr;
    m_size = static_cast<uint8_t>(end - m_chars);
}

QString CollectionKey::toString() const {
    if (IsLong())
        return m_long->text;
    return QString::fromLatin1(m_chars, m_size);
}

template <class Use> void CollectionKey::ForEachFolded(Use use) const {
    if (IsLong())
        for (const QChar c : m_long->folded)
            use(c.unicode());
    else
        for (int i = 0; i < m_size; ++i)
            use(char16_t(LowerAscii(m_chars[i])));
}

bool operator==(const CollectionKey& a, const CollectionKey& b) {
    if (!a.IsLong() && !b.IsLong())
        return a.m_size == b.m_size &&
               std::equal(a.m_chars, a.m_chars + a.m_size, b.m_chars,
                          [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
    if (a.IsLong() && b.IsLong())
        return a.m_long->folded == b.m_long->folded;
    // A long key may fold to a short ASCII one (the Kelvin sign folds to "k").
    QString first, second;
    a.ForEachFolded([&first](char16_t unit) { first += QChar(unit); });
    b.ForEachFolded([&second](char16_t unit) { second += QChar(unit); });
    return first == second;
}

// FNV-1a over the folded code units: short keys hash in a few steps, and a
// key held inline hashes as the same key held as text.
size_t qHash(const CollectionKey& key, size_t seed) noexcept {
    size_t hash = 14695981039346656037ULL ^ seed;
    key.ForEachFolded([&hash](char16_t unit) { hash = (hash ^ unit) * 1099511628211ULL; });
    return hash ^ (hash >> 29);
}

} // namespace platform
