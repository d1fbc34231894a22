// An ordered collection of shared items with case-insensitive text keys.
// Positions are 1-based; a missing key or position gives nullptr, never throws.
//
// Look-up by key, appending and removing by key are constant time on
// average. A removed entry is only marked: const calls never move the
// entries, so an iteration stays valid while the loop asks for positions and
// keys, and removing many items costs one pass, not one per item. The marks
// are swept by the next insertion that moves entries anyway, or by an append
// once they outnumber the items. Positions of the live entries are listed in
// one pass at the next access by position after a removal.
//
// The index is an open-addressed table of entry places and key hashes (the
// keys stay in the entries only); it is rebuilt in one pass after an
// insertion moved entries.
#pragma once

#include "platform/CollectionKey.h"

#include <QString>

#include <algorithm>
#include <cstdint>
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
        uint32_t hash = 0;
        bool removed = false;
    };
    using Entries = std::vector<Entry>;

public:
    int count() const { return static_cast<int>(m_count); }
    bool isEmpty() const { return m_count == 0; }

    bool contains(const CollectionKey& key) const { return placeOf(key, hashOf(key)) >= 0; }
    bool contains(const QString& key) const { return contains(CollectionKey(key)); }

    // Room for this many items in all, so that filling up to it moves nothing.
    // Growing step by step still doubles, so many small steps stay linear.
    void reserve(int size) {
        if (size <= 0)
            return;
        const size_t wanted = size_t(size) + size_t(m_removed);
        if (wanted > m_entries.capacity())
            m_entries.reserve(std::max(wanted, 2 * m_entries.capacity()));
        if (tableSizeFor(size_t(size)) > m_table.size())
            rebuild(tableSizeFor(size_t(size)));
    }

    // Appends; false (and nothing added) when the key is already present.
    bool add(Item item, const CollectionKey& key) {
        const uint32_t hash = hashOf(key);
        const Probe probe = probeFor(key, hash);
        if (probe.place >= 0)
            return false;
        append(std::move(item), key, hash, probe.slot);
        return true;
    }
    bool add(Item item, const QString& key) { return add(std::move(item), CollectionKey(key)); }

    // Inserts so the item stands at 1-based position; a position past the
    // end appends.
    bool insert(int position, Item item, const CollectionKey& key) {
        const uint32_t hash = hashOf(key);
        const Probe probe = probeFor(key, hash);
        if (probe.place >= 0)
            return false;
        const int before = count();
        position = std::clamp(position, 1, before + 1);
        if (position == before + 1) {
            append(std::move(item), key, hash, probe.slot);
            return true;
        }
        compact();
        m_entries.insert(m_entries.begin() + (position - 1), Entry{key, std::move(item), hash});
        ++m_count;
        m_tableStale = true;
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
        const qsizetype place = placeOf(key, hashOf(key));
        return place < 0 ? nullptr : m_entries[place].item;
    }
    Item find(const QString& key) const { return find(CollectionKey(key)); }

    // 1-based position of the key, 0 when absent.
    int indexOf(const CollectionKey& key) const {
        const qsizetype place = placeOf(key, hashOf(key));
        if (place < 0)
            return 0;
        if (!m_removed)
            return static_cast<int>(place) + 1;
        listLive();
        return static_cast<int>(std::lower_bound(m_live.begin(), m_live.end(), place) -
                                m_live.begin()) +
               1;
    }
    int indexOf(const QString& key) const { return indexOf(CollectionKey(key)); }

    bool remove(const CollectionKey& key) {
        const uint32_t hash = hashOf(key);
        const qsizetype place = placeOf(key, hash);
        if (place < 0)
            return false;
        Entry& entry = m_entries[place];
        entry.item.reset();
        entry.removed = true;
        erase(hash, place);
        --m_count;
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
        m_table.clear();
        m_live.clear();
        m_count = 0;
        m_removed = 0;
        m_tableStale = false;
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
    // A place in m_entries and the hash of its key; place -1 is a free slot.
    struct Slot {
        uint32_t hash = 0;
        int32_t place = -1;
    };

    static uint32_t hashOf(const CollectionKey& key) {
        return static_cast<uint32_t>(qHash(key, 0));
    }

    // At most half full, so a probe ends soon.
    static size_t tableSizeFor(size_t count) {
        size_t size = 16;
        while (size < 2 * count)
            size *= 2;
        return size;
    }

    const Entry* entryAt(int position) const {
        if (position < 1 || position > count())
            return nullptr;
        if (!m_removed)
            return &m_entries[position - 1];
        listLive();
        return &m_entries[m_live[position - 1]];
    }

    // Where a probe for a key ended: its entry's place in m_entries, or -1
    // and the free slot that would take it.
    struct Probe {
        qsizetype place;
        size_t slot;
    };
    Probe probeFor(const CollectionKey& key, uint32_t hash) const {
        if (m_tableStale)
            rebuild(m_table.size());
        if (m_table.empty())
            return {-1, 0};
        const size_t mask = m_table.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_table[i];
            if (slot.place < 0)
                return {-1, i};
            if (slot.hash == hash && m_entries[slot.place].key == key)
                return {slot.place, i};
        }
    }

    // An absent key at the end; freeSlot is where its probe ended.
    void append(Item item, const CollectionKey& key, uint32_t hash, size_t freeSlot) {
        // The probe's free slot takes the entry unless the table is filled
        // anew first.
        bool refilled = false;
        if (m_removed > count()) {
            compact();
            refilled = true;
        }
        if (2 * size_t(m_count + 1) > m_table.size()) {
            rebuild(tableSizeFor(m_count + 1));
            refilled = true;
        }
        const auto place = static_cast<qsizetype>(m_entries.size());
        m_entries.emplace_back(key, std::move(item), hash);
        ++m_count;
        if (!refilled)
            m_table[freeSlot] = Slot{hash, static_cast<int32_t>(place)};
        else if (!m_tableStale)
            put(hash, place);
        if (m_removed)
            m_live.push_back(place);
    }

    // The entry's place in m_entries; -1 when the key is absent.
    qsizetype placeOf(const CollectionKey& key, uint32_t hash) const {
        return probeFor(key, hash).place;
    }

    void put(uint32_t hash, qsizetype place) const {
        const size_t mask = m_table.size() - 1;
        size_t i = hash & mask;
        while (m_table[i].place >= 0)
            i = (i + 1) & mask;
        m_table[i] = Slot{hash, static_cast<int32_t>(place)};
    }

    // Takes the slot of place out; the slots after it move back so that no
    // probe stops early.
    void erase(uint32_t hash, qsizetype place) {
        const size_t mask = m_table.size() - 1;
        size_t hole = hash & mask;
        while (m_table[hole].place != place)
            hole = (hole + 1) & mask;
        for (size_t i = (hole + 1) & mask; m_table[i].place >= 0; i = (i + 1) & mask) {
            const size_t home = m_table[i].hash & mask;
            // Moves back unless its home lies cyclically in (hole, i].
            if ((i > hole && (home <= hole || home > i)) ||
                (i < hole && home <= hole && home > i)) {
                m_table[hole] = m_table[i];
                hole = i;
            }
        }
        m_table[hole] = Slot{};
    }

    // Fills a table of that size from the live entries.
    void rebuild(size_t size) const {
        m_table.assign(std::max(size, tableSizeFor(m_count)), Slot{});
        for (qsizetype place = 0; place < static_cast<qsizetype>(m_entries.size()); ++place)
            if (!m_entries[place].removed)
                put(m_entries[place].hash, place);
        m_tableStale = false;
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
        m_tableStale = true;
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
    // Trusted only while !m_tableStale.
    mutable std::vector<Slot> m_table;
    // Places of the live entries; used and trusted only while m_removed and
    // !m_liveStale.
    mutable std::vector<qsizetype> m_live;
    qsizetype m_count = 0;
    qsizetype m_removed = 0;
    mutable bool m_tableStale = false;
    mutable bool m_liveStale = false;
};

} // namespace platform
