// An ordered collection of shared items with case-insensitive text keys.
// Positions are 1-based; a missing key or position gives nullptr, never throws.
#pragma once

#include <QHash>
#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

namespace platform {

template <class T> class KeyedCollection {
public:
    using Item = std::shared_ptr<T>;

private:
    struct Entry {
        QString key;
        Item item;
    };
    using Entries = std::vector<Entry>;

public:

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }

    bool contains(const QString& key) const { return m_index.contains(fold(key)); }

    // Appends; false (and nothing added) when the key is already present.
    bool add(Item item, const QString& key) { return insert(count() + 1, std::move(item), key); }

    // Inserts so the item stands at 1-based position; a position past the
    // end appends.
    bool insert(int position, Item item, const QString& key)
    {
        const QString folded = fold(key);
        if (m_index.contains(folded))
            return false;
        position = std::clamp(position, 1, count() + 1);
        m_entries.insert(m_entries.begin() + (position - 1), Entry{key, item});
        m_index.insert(folded, std::move(item));
        return true;
    }

    bool insertBefore(const QString& beforeKey, Item item, const QString& key)
    {
        const int position = indexOf(beforeKey);
        return position ? insert(position, std::move(item), key) : false;
    }

    Item at(int position) const
    {
        if (position < 1 || position > count())
            return nullptr;
        return m_entries[position - 1].item;
    }

    QString keyAt(int position) const
    {
        if (position < 1 || position > count())
            return {};
        return m_entries[position - 1].key;
    }

    Item find(const QString& key) const { return m_index.value(fold(key)); }

    // 1-based position of the key, 0 when absent. Linear in the size.
    int indexOf(const QString& key) const
    {
        const QString folded = fold(key);
        if (!m_index.contains(folded))
            return 0;
        for (int i = 0; i < count(); ++i)
            if (fold(m_entries[i].key) == folded)
                return i + 1;
        return 0;
    }

    bool remove(const QString& key) { return removeAt(indexOf(key)); }

    bool removeAt(int position)
    {
        if (position < 1 || position > count())
            return false;
        m_index.remove(fold(m_entries[position - 1].key));
        m_entries.erase(m_entries.begin() + (position - 1));
        return true;
    }

    void clear()
    {
        m_entries.clear();
        m_index.clear();
    }

    // Iterates the items in order.
    class const_iterator {
    public:
        explicit const_iterator(typename Entries::const_iterator it) : m_it(it) {}
        const Item& operator*() const { return m_it->item; }
        const_iterator& operator++()
        {
            ++m_it;
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return m_it != other.m_it; }

    private:
        typename Entries::const_iterator m_it;
    };
    const_iterator begin() const { return const_iterator(m_entries.begin()); }
    const_iterator end() const { return const_iterator(m_entries.end()); }

private:
    static QString fold(const QString& key) { return key.toCaseFolded(); }

    Entries m_entries;
    QHash<QString, Item> m_index;
};

} // namespace platform
