// An ordered collection of shared items with case-insensitive text keys.
// Positions are 1-based; a missing key or position gives nullptr, never throws.
//
// Look-up by key, appending and removing by key are constant time on
// average. A removed entry is only marked: const calls never move the
// entries, so an iteration stays valid while the loop asks for positions and
// keys, and removing many items costs one pass, not one per item. The marks
// are swept by the next insertion that moves entries anyway, or by an append
// once they outnumber the items. Positions of the live entries are listed in
// one pass at the next access by position after a removal; the index maps each
// key to its entry's place and is renumbered in one pass after an insertion
// moved entries.
#pragma once

#include "platform/CollectionKey.h"

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
        CollectionKey key;
        Item item;
        bool removed = false;
    };
    using Entries = std::vector<Entry>;

public:
    int count() const { return static_cast<int>(m_index.size()); }
    bool isEmpty() const { return m_index.isEmpty(); }

    bool contains(const CollectionKey& key) const { return m_index.contains(key); }
    bool contains(const QString& key) const { return contains(CollectionKey(key)); }

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
    bool add(Item item, const CollectionKey& key) {
        return insert(count() + 1, std::move(item), key);
    }
    bool add(Item item, const QString& key) { return add(std::move(item), CollectionKey(key)); }

    // Inserts so the item stands at 1-based position; a position past the
    // end appends.
    bool insert(int position, Item item, const CollectionKey& key) {
        const int before = count();
        if (m_index.contains(key))
            return false;
        position = std::clamp(position, 1, before + 1);
        if (position == before + 1) {
            if (m_removed > before)
                compact();
            m_index.insert(key, static_cast<qsizetype>(m_entries.size()));
            m_entries.push_back(Entry{key, std::move(item)});
            if (m_removed)
                m_live.push_back(static_cast<qsizetype>(m_entries.size()) - 1);
            return true;
        }
        compact();
        m_entries.insert(m_entries.begin() + (position - 1), Entry{key, std::move(item)});
        m_index.insert(key, position - 1);
        m_slotsStale = true;
        return true;
    }
    bool insert(int position, Item item, const QString& key) {
        return insert(position, std::move(item), CollectionKey(key));
    }

    bool insertBefore(const CollectionKey& beforeKey, Item item, const CollectionKey& key) {
        const int position = indexOf(beforeKey);
        return position ? insert(position, std::move(item), key) : false;
    }
    bool insertBefore(const QString& beforeKey, Item item, const QString& key) {
        return insertBefore(CollectionKey(beforeKey), std::move(item), CollectionKey(key));
    }

    Item at(int position) const {
        const Entry* entry = entryAt(position);
        return entry ? entry->item : nullptr;
    }

    QString keyAt(int position) const {
        const Entry* entry = entryAt(position);
        return entry ? entry->key.toString() : QString();
    }

    Item find(const CollectionKey& key) const {
        const qsizetype slot = slotOf(key);
        return slot < 0 ? nullptr : m_entries[slot].item;
    }
    Item find(const QString& key) const { return find(CollectionKey(key)); }

    // 1-based position of the key, 0 when absent.
    int indexOf(const CollectionKey& key) const {
        const qsizetype slot = slotOf(key);
        if (slot < 0)
            return 0;
        if (!m_removed)
            return static_cast<int>(slot) + 1;
        listLive();
        return static_cast<int>(std::lower_bound(m_live.begin(), m_live.end(), slot) -
                                m_live.begin()) +
               1;
    }
    int indexOf(const QString& key) const { return indexOf(CollectionKey(key)); }

    bool remove(const CollectionKey& key) {
        const qsizetype slot = slotOf(key);
        if (slot < 0)
            return false;
        Entry& entry = m_entries[slot];
        entry.item.reset();
        entry.removed = true;
        m_index.remove(key);
        ++m_removed;
        m_liveStale = true;
        return true;
    }
    bool remove(const QString& key) { return remove(CollectionKey(key)); }

    bool removeAt(int position) {
        const Entry* entry = entryAt(position);
        if (!entry)
            return false;
        const CollectionKey key = entry->key;
        return remove(key);
    }

    void clear() {
        m_entries.clear();
        m_index.clear();
        m_live.clear();
        m_removed = 0;
        m_slotsStale = false;
        m_liveStale = false;
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
    const Entry* entryAt(int position) const {
        if (position < 1 || position > count())
            return nullptr;
        if (!m_removed)
            return &m_entries[position - 1];
        listLive();
        return &m_entries[m_live[position - 1]];
    }

    // The entry's place in m_entries; -1 when the key is absent.
    qsizetype slotOf(const CollectionKey& key) const {
        refreshSlots();
        const auto it = m_index.constFind(key);
        return it == m_index.cend() ? -1 : *it;
    }

    // Sweeps the removed entries; only non-const calls that may move the
    // entries anyway do this.
    void compact() {
        if (!m_removed)
            return;
        std::erase_if(m_entries, [](const Entry& entry) { return entry.removed; });
        m_removed = 0;
        m_live.clear();
        m_liveStale = false;
        m_slotsStale = true;
    }

    // Renumbers the index; the entries stay where they are.
    void refreshSlots() const {
        if (!m_slotsStale)
            return;
        for (qsizetype i = 0; i < static_cast<qsizetype>(m_entries.size()); ++i)
            if (!m_entries[i].removed)
                m_index[m_entries[i].key] = i;
        m_slotsStale = false;
    }

    // The places of the live entries, in order, while some are removed.
    void listLive() const {
        if (!m_liveStale)
            return;
        m_live.clear();
        m_live.reserve(static_cast<size_t>(count()));
        for (qsizetype i = 0; i < static_cast<qsizetype>(m_entries.size()); ++i)
            if (!m_entries[i].removed)
                m_live.push_back(i);
        m_liveStale = false;
    }

    Entries m_entries;
    // Key -> place in m_entries; trusted only while !m_slotsStale.
    mutable QHash<CollectionKey, qsizetype> m_index;
    // Places of the live entries; used and trusted only while m_removed and
    // !m_liveStale.
    mutable std::vector<qsizetype> m_live;
    qsizetype m_removed = 0;
    mutable bool m_slotsStale = false;
    mutable bool m_liveStale = false;
};

} // namespace platform
