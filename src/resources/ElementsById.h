// The text elements of one page id by their text id, in one open-addressed
// table: a page read only to resolve references into it costs a slot per
// text, no allocation each. Of several page elements with the id, the first
// holding a text id keeps it; within one element a later occurrence wins.
#pragma once

#include "gamefiles/clsXMLParser.h"

#include <cstdint>
#include <optional>
#include <vector>

class ElementsById {
public:
    // The element of the ordinal-th page element (counted from 0) with that id.
    void Put(int32_t id, const clsXMLParser::ChildElement& element, int ordinal) {
        if (2 * (m_used + 1) > m_slots.size())
            Grow();
        Slot& slot = m_slots[SlotOf(id)];
        if (slot.element && slot.ordinal < ordinal)
            return;
        if (!slot.element)
            ++m_used;
        slot = Slot{id, ordinal, element};
    }
    const clsXMLParser::ChildElement* Find(int32_t id) const {
        if (m_slots.empty())
            return nullptr;
        const Slot& slot = m_slots[SlotOf(id)];
        return slot.element ? &*slot.element : nullptr;
    }

private:
    struct Slot {
        int32_t id = 0;
        int ordinal = 0;
        std::optional<clsXMLParser::ChildElement> element;
    };

    // The slot holding the id, else the free one where it would go.
    size_t SlotOf(int32_t id) const {
        const size_t mask = m_slots.size() - 1;
        size_t at = (uint32_t(id) * 2654435769u) & mask;
        while (m_slots[at].element && m_slots[at].id != id)
            at = (at + 1) & mask;
        return at;
    }
    void Grow() {
        std::vector<Slot> old(std::max<size_t>(64, 2 * m_slots.size()));
        old.swap(m_slots);
        for (Slot& slot : old)
            if (slot.element)
                m_slots[SlotOf(slot.id)] = std::move(slot);
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
};
