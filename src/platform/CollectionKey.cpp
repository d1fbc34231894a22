#include "platform/CollectionKey.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace platform {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

bool IsAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// A decimal number at the start of [at, end) as the key's numbers are
// written (no leading zeros, no "+", "-0" is not 0); the number and the
// place after it, or nullptr when there is none.
const char* TakeNumber(const char* at, const char* end, int32_t& number) {
    const auto [after, error] = std::from_chars(at, end, number);
    if (error != std::errc())
        return nullptr;
    char written[16];
    const char* writtenEnd = std::to_chars(written, written + sizeof written, number).ptr;
    const bool same = writtenEnd - written == after - at && std::equal(at, after, written);
    return same ? after : nullptr;
}

} // namespace

CollectionKey::CollectionKey(const QString& text) {
    if (IsAscii(text) && text.size() <= kInline) {
        char chars[kInline];
        std::transform(text.begin(), text.end(), chars, [](QChar c) { return char(c.unicode()); });
        const int size = int(text.size());
        if (TakeNumbers(chars, size))
            m_upperK = chars[size - 1] == 'K';
        else
            TakeInline(chars, size);
        return;
    }
    // A key that folds to a short ASCII one (the Kelvin sign folds to "k")
    // takes that one's form and keeps its own spelling beside it.
    const QString folded = text.toCaseFolded();
    if (IsAscii(folded) && folded.size() <= kInline) {
        char chars[kInline];
        std::transform(folded.begin(), folded.end(), chars,
                       [](QChar c) { return char(c.unicode()); });
        if (!TakeNumbers(chars, int(folded.size())))
            TakeInline(chars, int(folded.size()));
        m_spelling = std::make_shared<const Spelling>(Spelling{text, QString()});
        return;
    }
    m_form = Form::Long;
    m_spelling = std::make_shared<const Spelling>(Spelling{text, folded});
}

bool CollectionKey::TakeNumbers(const char* chars, int size) {
    if (size < 2 || LowerAscii(chars[size - 1]) != 'k')
        return false;
    const char* end = chars + size - 1;
    Numbers numbers{0, 0};
    const char* at = TakeNumber(chars, end, numbers.first);
    if (!at)
        return false;
    Form form = Form::Number;
    if (at != end) {
        if (*at != '-' || !(at = TakeNumber(at + 1, end, numbers.second)) || at != end)
            return false;
        form = Form::Pair;
    }
    m_numbers = numbers;
    m_form = form;
    return true;
}

void CollectionKey::TakeInline(const char* chars, int size) {
    std::memcpy(m_chars, chars, size_t(size));
    m_size = static_cast<uint8_t>(size);
    m_form = Form::Inline;
}

QString CollectionKey::NumberText() const {
    char chars[32];
    char* end = std::to_chars(chars, chars + 12, m_numbers.first).ptr;
    if (m_form == Form::Pair) {
        *end++ = '-';
        end = std::to_chars(end, end + 12, m_numbers.second).ptr;
    }
    *end++ = m_upperK ? 'K' : 'k';
    return QString::fromLatin1(chars, end - chars);
}

QString CollectionKey::toString() const {
    if (m_spelling)
        return m_spelling->text;
    if (m_form == Form::Inline)
        return QString::fromLatin1(m_chars, m_size);
    return NumberText();
}

bool CollectionKey::SameText(const CollectionKey& other) const {
    if (m_form == Form::Long)
        return m_spelling->folded == other.m_spelling->folded;
    return m_size == other.m_size &&
           std::equal(m_chars, m_chars + m_size, other.m_chars,
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

size_t CollectionKey::TextHash(size_t seed) const noexcept {
    uint64_t hash = 14695981039346656037ULL ^ seed;
    const auto use = [&hash](char16_t unit) { hash = (hash ^ unit) * 1099511628211ULL; };
    if (m_form == Form::Long)
        for (const QChar c : m_spelling->folded)
            use(c.unicode());
    else
        for (int i = 0; i < m_size; ++i)
            use(char16_t(LowerAscii(m_chars[i])));
    return hash ^ (hash >> 29);
}

} // namespace platform
