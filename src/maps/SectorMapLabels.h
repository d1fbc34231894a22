// The labels of the Sector Map's markers: which texts show under a marker,
// the box they make with it (both the text frame and the hit box), and the
// hit test over those boxes.
#pragma once

#include "maps/SectorMapObjectRecord.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class SectorMapTransform;

namespace SectorMapLabels {

// Label bits: bit value 1 shows IDs, 2 shows names.
constexpr int32_t kShowIDs = 1;
constexpr int32_t kShowNames = 2;
constexpr int32_t kGateType = 18;

using TextMeasure = std::function<QSize(const QString&)>;

// Half the marker's size by object type.
int32_t MarkerHalfSize(int32_t type);
// The target texts under a gate by the label bits; empty for other types.
QString GetGateLabel(const SectorMapObjectRecord& record, int32_t labelBits);
// Whether the ID line is written: its bit set, and not a copy of the name.
bool ShowsIDLine(const SectorMapObjectRecord& record, int32_t labelBits);
// Measures the shown texts and sets the record's box and text sizes.
void MeasureLabel(SectorMapObjectRecord& record, int32_t labelBits, const TextMeasure& measure);
// The first record in index order whose moved box holds the pixel, edges
// included; -1 for none.
int32_t HitTest(const std::vector<SectorMapObjectRecord>& records, const SectorMapTransform& view,
                bool topView, int32_t x, int32_t y);

} // namespace SectorMapLabels
