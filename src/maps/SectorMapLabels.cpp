#include "maps/SectorMapLabels.h"

#include "maps/MapMath.h"
#include "maps/SectorMapTransform.h"

#include <algorithm>

namespace SectorMapLabels {

int32_t MarkerHalfSize(int32_t type) {
    switch (type) {
    case 3:
    case 4:
        return 5;
    case 5:
        return 7;
    case 6:
    case 7:
        return 4;
    case kGateType:
        return 10;
    default:
        return 3;
    }
}

QString GetGateLabel(const SectorMapObjectRecord& record, int32_t labelBits) {
    if (record.type != kGateType)
        return {};
    const bool names = labelBits & kShowNames;
    const bool ids = labelBits & kShowIDs;
    if (names && ids)
        return record.gateTargetName + QStringLiteral(" [") + record.gateTargetID +
               QLatin1Char(']');
    if (names)
        return record.gateTargetName;
    if (ids)
        return record.gateTargetID;
    return {};
}

bool ShowsIDLine(const SectorMapObjectRecord& record, int32_t labelBits) {
    return (labelBits & kShowIDs) &&
           (!(labelBits & kShowNames) || record.idText != record.nameText);
}

void MeasureLabel(SectorMapObjectRecord& record, int32_t labelBits, const TextMeasure& measure) {
    const int32_t half = MarkerHalfSize(record.type);
    record.left = -half;
    record.top = -half;
    record.right = half;
    record.bottom = half;
    record.gateLabel = GetGateLabel(record, labelBits);
    record.nameSize = (labelBits & kShowNames) ? measure(record.nameText) : QSize(0, 0);
    record.idSize = (labelBits & kShowIDs) ? measure(record.idText) : QSize(0, 0);
    record.gateSize = measure(record.gateLabel);
    record.labelImage = QImage();
    const int widest =
        std::max({record.nameSize.width(), record.idSize.width(), record.gateSize.width()});
    if (widest > record.right - record.left) {
        record.left = -*mapmath::Round(widest / 2.0);
        record.right = *mapmath::Round(widest / 2.0);
    }
    const int textHeight = record.idText == record.nameText
                               ? std::max(record.nameSize.height(), record.idSize.height())
                               : record.nameSize.height() + record.idSize.height();
    record.bottom += record.gateSize.height() + textHeight;
}

int32_t HitTest(const std::vector<SectorMapObjectRecord>& records, const SectorMapTransform& view,
                bool topView, int32_t x, int32_t y) {
    for (size_t i = 0; i < records.size(); ++i) {
        const SectorMapObjectRecord& record = records[i];
        const auto marker = view.MarkerPixel(record.x, record.V(topView));
        if (!marker)
            continue;
        const int64_t dx = int64_t{x} - marker->x();
        const int64_t dy = int64_t{y} - marker->y();
        if (dx >= record.left && dx <= record.right && dy >= record.top && dy <= record.bottom)
            return static_cast<int32_t>(i);
    }
    return -1;
}

} // namespace SectorMapLabels
