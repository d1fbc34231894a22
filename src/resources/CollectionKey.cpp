#include "resources/CollectionKey.h"

#include <charconv>

CollectionKey::CollectionKey(int32_t pageId) {
    Append(pageId);
    m_chars[m_size++] = u'k';
}

CollectionKey::CollectionKey(int32_t pageId, int32_t id) {
    Append(pageId);
    m_chars[m_size++] = u'-';
    Append(id);
    m_chars[m_size++] = u'k';
}

void CollectionKey::Append(int32_t number) {
    char digits[12];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    for (const char* at = digits; at != end; ++at)
        m_chars[m_size++] = char16_t(*at);
}
