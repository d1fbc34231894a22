// A key of a keyed collection, compared without regard to case. Short ASCII
// keys (every "12k" and "17-5k" key) are held inline, so making, storing and
// looking one up allocates nothing; other keys keep their text and its
// case-folded form.
#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringView>

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
    // The spelling without a copy; valid while this key lives unchanged.
    QString View() const;

    friend bool operator==(const CollectionKey& a, const CollectionKey& b);
    friend size_t qHash(const CollectionKey& key, size_t seed) noexcept;

private:
    static constexpr int kInline = 23;
    static constexpr uint8_t kLong = 0xFF;
    struct Long {
        QString text;
        QString folded;
    };

    void Append(int32_t number);
    bool IsLong() const { return m_size == kLong; }
    // The case-folded form, into buffer when it is inline.
    QStringView Folded(char16_t (&buffer)[kInline]) const;

    char16_t m_chars[kInline];
    uint8_t m_size = 0;
    std::shared_ptr<const Long> m_long;
};

} // namespace platform
