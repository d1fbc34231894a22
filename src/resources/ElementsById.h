// The text elements of one page id by their text id: a page read only to
// resolve references into it costs one entry per text, written in order, and
// a look-up is a binary search. Of several page elements with the id, the
// first holding a text id keeps it; within one element a later occurrence
// wins.
#pragma once

#include "gamefiles/clsXMLParser.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class ElementsById {
public:
    // The element of the ordinal-th page element (counted from 0) with that
    // id; elements come in document order.
    void Put(int32_t id, const clsXMLParser::ChildElement& element, int ordinal) {
        m_sorted = m_sorted && (m_entries.empty() || m_entries.back().id <= id);
        m_entries.push_back(Entry{id, ordinal, element});
    }
    const clsXMLParser::ChildElement* Find(int32_t id) {
        if (!m_sorted) {
            // Equal ids keep their document order.
            std::stable_sort(m_entries.begin(), m_entries.end(),
                             [](const Entry& a, const Entry& b) { return a.id < b.id; });
            m_sorted = true;
        }
        auto at =
            std::lower_bound(m_entries.begin(), m_entries.end(), id,
                             [](const Entry& entry, int32_t wanted) { return entry.id < wanted; });
        if (at == m_entries.end() || at->id != id)
            return nullptr;
        // The last occurrence within the first element that has the id.
        while (at + 1 != m_entries.end() && (at + 1)->id == id && (at + 1)->ordinal == at->ordinal)
            ++at;
        return &at->element;
    }

private:
    struct Entry {
        int32_t id;
        int ordinal;
        clsXMLParser::ChildElement element;
    };

    std::vector<Entry> m_entries;
    bool m_sorted = true;
};
