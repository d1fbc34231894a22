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

    friend bool operator==(const CollectionKey& a, const CollectionKey& b);
    friend size_t qHash(const CollectionKey& key, size_t seed) noexcept;

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
