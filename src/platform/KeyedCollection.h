// An ordered collection of shared items with case-insensitive text keys.
// Positions are 1-based; a missing key or position gives nullptr, never throws.
//
// Look-up by key, appending and removing by key are constant time on
// average: a removed entry is only marked and the gaps are closed at the next
// access by position, so removing many items costs one pass, not one per item.
// The index maps each folded key to the entry's place; places that an
// insertion or the closing of gaps moved are renumbered in one pass at the
// next access by key.
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
        bool removed = false;
    };
    using Entries = std::vector<Entry>;

public:
    int count() const { return static_cast<int>(m_index.size()); }
    bool isEmpty() const { return m_index.isEmpty(); }

    bool contains(const QString& key) const { return m_index.contains(fold(key)); }

    // Room for this many items in all, so that filling up to it moves nothing.
    // Growing step by step still doubles, so many small steps stay linear.
    void reserve(int size) {
        if (size <= 0)
            return;
        const size_t wanted = size_t(size) + size_t(m_removed);
        if (wanted > m_entries.capacity())
            m_entries.reserve(std::max(wanted, 2 * m_entries.capacity()));
        m_index.reserve(size);
    }

    // Appends; false (and nothing added) when the key is already present.
    bool add(Item item, const QString& key) { return insert(count() + 1, std::move(item), key); }

    // Inserts so the item stands at 1-based position; a position past the
    // end appends.
    bool insert(int position, Item item, const QString& key) {
        const int before = count();
        // One probe both tests for the key and makes its place.
        qsizetype& index = m_index[fold(key)];
        if (count() == before)
            return false;
        position = std::clamp(position, 1, before + 1);
        if (position == before + 1) {
            index = static_cast<qsizetype>(m_entries.size());
            m_entries.push_back(Entry{key, std::move(item)});
            return true;
        }
        compact();
        m_entries.insert(m_entries.begin() + (position - 1), Entry{key, std::move(item)});
        m_slotsStale = true;
        return true;
    }

    bool insertBefore(const QString& beforeKey, Item item, const QString& key) {
        const int position = indexOf(beforeKey);
        return position ? insert(position, std::move(item), key) : false;
    }

    Item at(int position) const {
        if (position < 1 || position > count())
            return nullptr;
        compact();
        return m_entries[position - 1].item;
    }

    QString keyAt(int position) const {
        if (position < 1 || position > count())
            return {};
        compact();
        return m_entries[position - 1].key;
    }

    Item find(const QString& key) const {
        refreshSlots();
        const auto it = m_index.constFind(fold(key));
        return it == m_index.cend() ? nullptr : m_entries[*it].item;
    }

    // 1-based position of the key, 0 when absent.
    int indexOf(const QString& key) const {
        const QString folded = fold(key);
        if (!m_index.contains(folded))
            return 0;
        compact();
        refreshSlots();
        return static_cast<int>(m_index.value(folded)) + 1;
    }

    bool remove(const QString& key) {
        refreshSlots();
        const auto it = m_index.find(fold(key));
        if (it == m_index.end())
            return false;
        Entry& entry = m_entries[*it];
        entry.item.reset();
        entry.removed = true;
        m_index.erase(it);
        ++m_removed;
        return true;
    }

    bool removeAt(int position) {
        const QString key = keyAt(position);
        return position >= 1 && position <= count() && remove(key);
    }

    void clear() {
        m_entries.clear();
        m_index.clear();
        m_removed = 0;
        m_slotsStale = false;
    }

    // Iterates the items in order.
    class const_iterator {
    public:
        const_iterator(typename Entries::const_iterator it, typename Entries::const_iterator end)
            : m_it(it), m_end(end) {
            skipRemoved();
        }
        const Item& operator*() const { return m_it->item; }
        const_iterator& operator++() {
            ++m_it;
            skipRemoved();
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return m_it != other.m_it; }

    private:
        void skipRemoved() {
            while (m_it != m_end && m_it->removed)
                ++m_it;
        }
        typename Entries::const_iterator m_it;
        typename Entries::const_iterator m_end;
    };
    const_iterator begin() const { return const_iterator(m_entries.begin(), m_entries.end()); }
    const_iterator end() const { return const_iterator(m_entries.end(), m_entries.end()); }

private:
    // Most keys are lower-case ASCII already ("17-5k"): those are taken as
    // they are, without a folded copy.
    static QString fold(const QString& key) {
        const bool folded = std::all_of(key.begin(), key.end(), [](QChar c) {
            return c.unicode() < 0x80 && !(c >= u'A' && c <= u'Z');
        });
        return folded ? key : key.toCaseFolded();
    }

    // Closes the gaps that removals left.
    void compact() const {
        if (!m_removed)
            return;
        std::erase_if(m_entries, [](const Entry& entry) { return entry.removed; });
        m_removed = 0;
        m_slotsStale = true;
    }

    void refreshSlots() const {
        if (!m_slotsStale)
            return;
        for (qsizetype i = 0; i < static_cast<qsizetype>(m_entries.size()); ++i)
            if (!m_entries[i].removed)
                m_index[fold(m_entries[i].key)] = i;
        m_slotsStale = false;
    }

    mutable Entries m_entries;
    // Folded key -> place in m_entries; trusted only while !m_slotsStale.
    mutable QHash<QString, qsizetype> m_index;
    mutable qsizetype m_removed = 0;
    mutable bool m_slotsStale = false;
};

} // namespace platform
