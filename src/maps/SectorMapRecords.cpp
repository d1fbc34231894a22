#include "maps/SectorMapRecords.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace SectorMapRecords {
namespace {

// Deep maps are walked with an explicit stack, so no nesting exhausts it.
template <class Visit> void Walk(const Ptr& root, Visit visit) {
    std::vector<std::pair<const clsGalaxyObject*, int>> stack{{root.get(), 1}};
    while (!stack.empty()) {
        auto& [parent, position] = stack.back();
        if (position > parent->Childs.count()) {
            stack.pop_back();
            continue;
        }
        const Ptr child = parent->Childs.at(position++);
        visit(child);
        stack.push_back({child.get(), 1});
    }
}

} // namespace

bool HasRecord(const Ptr& object) {
    return object && object->Property(QStringLiteral("x")) != nullptr;
}

SectorMapObjectRecord FillRecord(clsGalaxyParser& document, const Ptr& object, int32_t labelBits,
                                 const SectorMapLabels::TextMeasure& measure) {
    SectorMapObjectRecord record;
    record.key = object->Key();
    record.x = object->x();
    // Negated in 64 bits and clamped, since -INT32_MIN does not fit.
    record.negY = static_cast<int32_t>(std::min<int64_t>(-int64_t{object->y()}, INT32_MAX));
    record.negZ = static_cast<int32_t>(std::min<int64_t>(-int64_t{object->z()}, INT32_MAX));
    record.type = object->otype();
    record.idText = document.GetObjectID(object);
    record.nameText = document.GetObjectName(object);
    if (record.type == SectorMapLabels::kGateType) {
        record.gateTargetName = document.GetTargetSectorName(object, false);
        record.gateTargetID = document.GetTargetSectorName(object, true);
    }
    SectorMapLabels::MeasureLabel(record, labelBits, measure);
    return record;
}

std::vector<SectorMapObjectRecord> Collect(clsGalaxyParser& document, const Ptr& sector,
                                           int32_t labelBits,
                                           const SectorMapLabels::TextMeasure& measure) {
    std::vector<SectorMapObjectRecord> records;
    if (!sector)
        return records;
    int count = 0;
    Walk(sector, [&](const Ptr& object) { count += HasRecord(object) ? 1 : 0; });
    records.reserve(count);
    Walk(sector, [&](const Ptr& object) {
        if (HasRecord(object))
            records.push_back(FillRecord(document, object, labelBits, measure));
    });
    return records;
}

void CollectKeys(const Ptr& object, std::vector<QString>& keys) {
    keys.push_back(object->Key());
    Walk(object, [&](const Ptr& child) { keys.push_back(child->Key()); });
}

} // namespace SectorMapRecords
