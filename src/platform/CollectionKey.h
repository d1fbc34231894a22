// A key of a keyed collection, compared without regard to case.
//
// Keys of one or two numbers ("12k", "17-5k") are held as the numbers, so
// making, hashing and comparing one takes a few instructions and allocates
// nothing; a key given as text in that form (in any case) is held the same
// way. Other short ASCII keys are held inline; the rest keep their text and
// its case-folded form. Each key has one form whatever way it was made, so
// equal keys always have the same form.
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
    explicit CollectionKey(int32_t number) : m_numbers{number, 0}, m_form(Form::Number) {}
    // The first number, "-", the second and "k".
    CollectionKey(int32_t first, int32_t second) : m_numbers{first, second}, m_form(Form::Pair) {}
    // Any key given as text.
    CollectionKey(const QString& text);

    // The key as it was spelled.
    QString toString() const;
    QString Owned() const { return toString(); }
    QString View() const { return toString(); }

    // Number keys, nearly every key, are compared and hashed inline.
    friend bool operator==(const CollectionKey& a, const CollectionKey& b) {
        if (a.m_form != b.m_form)
            return false;
        if (a.m_form == Form::Number)
            return a.m_numbers.first == b.m_numbers.first;
        if (a.m_form == Form::Pair)
            return a.m_numbers.first == b.m_numbers.first &&
                   a.m_numbers.second == b.m_numbers.second;
        return a.SameText(b);
    }
    // Number keys mix their numbers; text keys run FNV-1a over their folded
    // code units.
    friend size_t qHash(const CollectionKey& key, size_t seed) noexcept {
        if (key.m_form != Form::Number && key.m_form != Form::Pair)
            return key.TextHash(seed);
        const uint64_t numbers =
            (uint64_t(uint32_t(key.m_numbers.first)) << 32) | uint32_t(key.m_numbers.second);
        return Mix(numbers ^ (key.m_form == Form::Pair ? 0x9e3779b97f4a7c15ULL : 0) ^ seed);
    }

private:
    // "-2147483648--2147483648k" fits.
    static constexpr int kInline = 24;
    enum class Form : uint8_t { Inline, Number, Pair, Long };
    struct Numbers {
        int32_t first;
        int32_t second;
    };
    // The text as given, where the form does not keep it; for a long key
    // also its case-folded form.
    struct Spelling {
        QString text;
        QString folded;
    };

    // The form of a case-folded ASCII key; false when it has no number form.
    bool TakeNumbers(const char* chars, int size);
    void TakeInline(const char* chars, int size);
    QString NumberText() const;
    // Of two keys of one text form.
    bool SameText(const CollectionKey& other) const;
    size_t TextHash(size_t seed) const noexcept;
    static uint64_t Mix(uint64_t value) {
        value ^= value >> 33;
        value *= 0xff51afd7ed558ccdULL;
        value ^= value >> 33;
        value *= 0xc4ceb9fe1a85ec53ULL;
        return value ^ (value >> 33);
    }

    union {
        Numbers m_numbers = {0, 0};
        char m_chars[kInline];
    };
    uint8_t m_size = 0;
    Form m_form = Form::Inline;
    // A number key spelled with "K".
    bool m_upperK = false;
    std::shared_ptr<const Spelling> m_spelling;
};

} // namespace platform
