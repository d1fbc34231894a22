// A key of a keyed collection, compared without regard to case. Short ASCII
// keys (every "12k" and "17-5k" key) are held inline, so making, storing and
// looking one up allocates nothing; other keys keep their text and its
// case-folded form.
#pragma once

#include <QHashFunctions>
#include <QString>

#include <cstdint>
#include <memory>

namespace platform {

class CollectionKey {
public:
    CollectionKey() = default;
    // The decimal number followed by "k".
    explicit CollectionKey(int32_t number);
    // The first number, "-", the second and "k".
    CollectionKey(int32_t first, int32_t second);
    // Any key given as text.
    CollectionKey(const QString& text);

    // The key as it was spelled.
    QString toString() const;
    QString Owned() const { return toString(); }
    QString View() const { return toString(); }

    friend bool operator==(const CollectionKey& a, const CollectionKey& b);
    friend size_t qHash(const CollectionKey& key, size_t seed) noexcept;

private:
    // "-2147483648--2147483648k" fits.
    static constexpr int kInline = 24;
    static constexpr uint8_t kLong = 0xFF;
    struct Long {
        QString text;
        QString folded;
    };

    void Append(int32_t number);
    bool IsLong() const { return m_size == kLong; }
    // Calls use with each code unit of the case-folded key.
    template <class Use> void ForEachFolded(Use use) const;

    char m_chars[kInline];
    uint8_t m_size = 0;
    std::shared_ptr<const Long> m_long;
};

} // namespace platform
