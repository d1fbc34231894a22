// The keys of pages ("17k") and texts ("17-5k") in their collections,
// written into a buffer of their own so that a look-up allocates nothing.
#pragma once

#include <QString>

#include <cstdint>

class CollectionKey {
public:
    explicit CollectionKey(int32_t pageId);
    CollectionKey(int32_t pageId, int32_t id);

    QString Owned() const { return QString(reinterpret_cast<const QChar*>(m_chars), m_size); }
    // Valid while this object lives: for look-ups only.
    QString View() const {
        return QString::fromRawData(reinterpret_cast<const QChar*>(m_chars), m_size);
    }

private:
    void Append(int32_t number);

    char16_t m_chars[28];
    qsizetype m_size = 0;
};
