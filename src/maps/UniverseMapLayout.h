// The layout of the Universe Map: cell sizes from the sector names (words
// measured, names wrapped), cell rectangles, the gate links between records,
// the cell index, and the conversions between cells and pixels.
#pragma once

#include "maps/UniverseSectorRecord.h"

#include <QPoint>
#include <QPointF>
#include <QSize>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class clsGalaxyParser;

class UniverseMapLayout {
public:
    using TextMeasure = std::function<QSize(const QString&)>;

    static constexpr int32_t kColumns = 20;
    static constexpr int32_t kRows = 15;

    // One record per sector in the document's order.
    static std::vector<UniverseSectorRecord> FillRecords(clsGalaxyParser& document);

    // Measurements only grow until the window is shown again.
    void ResetMeasurements();
    // Links, words, wrapping and rectangles, in this order.
    void Rebuild(clsGalaxyParser& document, std::vector<UniverseSectorRecord>& records,
                 bool showNames, const TextMeasure& measure);

    // No cell holds a record any more.
    void ClearCells() { m_cells.clear(); }

    int32_t CellWidth() const { return m_cellWidth; }
    int32_t CellHeight() const { return m_cellHeight; }
    QPointF Pan() const { return m_pan; }
    void SetPan(QPointF pan) { m_pan = pan; }

    // The top-left corner of a cell on the map area.
    QPoint CellToScreen(int32_t x, int32_t y) const;
    // The cell under a pixel; left of or above cell (0, 0) gives negatives.
    QPoint CellAt(QPointF pixel) const;

    // The records at a cell, lowest index first; none when it is empty.
    const std::vector<int32_t>& RecordsAt(QPoint cell) const;
    // The first record at a cell, -1 when it is empty.
    int32_t FindSectorIndex(int32_t x, int32_t y) const;

    static bool IsOnGrid(QPoint cell);

private:
    void BuildCellIndex(const std::vector<UniverseSectorRecord>& records);
    void BuildGateLinks(clsGalaxyParser& document,
                        std::vector<UniverseSectorRecord>& records) const;
    void MeasureNameWords(std::vector<UniverseSectorRecord>& records, bool showNames,
                          const TextMeasure& measure);
    void WrapSectorNames(std::vector<UniverseSectorRecord>& records, bool showNames,
                         const TextMeasure& measure);
    void ComputeCellRects(std::vector<UniverseSectorRecord>& records) const;

    QPointF m_pan;
    int32_t m_cellWidth = 24;
    int32_t m_cellHeight = 26;
    int32_t m_widestWord = 0;
    int32_t m_tallestBlock = 0;
    std::unordered_map<int64_t, std::vector<int32_t>> m_cells;
};
