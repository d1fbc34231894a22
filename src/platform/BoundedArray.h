// A table indexed from a chosen lower bound (a race table runs 1 to 10).
// Access outside the bounds throws; an empty table has no bounds at all.
#pragma once

#include "platform/ZorvError.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace platform {

// The error number of an index outside a table's bounds.
constexpr int32_t kSubscriptError = 9;

template <class T> class BoundedArray {
public:
    BoundedArray() = default;
    BoundedArray(int32_t lower, std::vector<T> items) : m_lower(lower), m_items(std::move(items)) {}

    int32_t count() const { return static_cast<int32_t>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    int32_t lower() const { return m_lower; }
    int32_t upper() const { return m_lower + count() - 1; }
    bool contains(int32_t index) const {
        return !isEmpty() && index >= lower() && index <= upper();
    }

    const T& operator[](int32_t index) const { return m_items[offset(index)]; }
    T& operator[](int32_t index) { return m_items[offset(index)]; }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::size_t offset(int32_t index) const {
        if (!contains(index))
            throw ZorvError(kSubscriptError, QString(), QStringLiteral("Subscript out of range"));
        return static_cast<std::size_t>(index - m_lower);
    }

    int32_t m_lower = 0;
    std::vector<T> m_items;
};

} // namespace platform
