#include "maps/UniverseMapLayout.h"

#include "galaxy/clsGalaxyParser.h"
#include "maps/MapMath.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kGateType = 18;
constexpr int32_t kLeastWordWidth = 20;

int64_t CellKey(int32_t x, int32_t y) {
    return (static_cast<int64_t>(x) << 32) | static_cast<uint32_t>(y);
}

} // namespace

std::vector<UniverseSectorRecord> UniverseMapLayout::FillRecords(clsGalaxyParser& document) {
    std::vector<UniverseSectorRecord> records;
    records.reserve(static_cast<size_t>(document.Sectors.count()));
    for (const clsGalaxyObject::Ptr& sector : document.Sectors) {
        UniverseSectorRecord record;
        record.Key = sector->Key();
        record.x = sector->x();
        record.y = sector->y();
        record.name = document.GetObjectName(sector);
        record.race = sector->NamedProperty(QStringLiteral("r"));
        records.push_back(std::move(record));
    }
    return records;
}

void UniverseMapLayout::ResetMeasurements() {
    m_widestWord = 0;
    m_tallestBlock = 0;
}

void UniverseMapLayout::Rebuild(clsGalaxyParser& document,
                                std::vector<UniverseSectorRecord>& records, bool showNames,
                                const TextMeasure& measure) {
    BuildCellIndex(records);
    BuildGateLinks(document, records);
    m_cellWidth = 0;
    m_cellHeight = 0;
    MeasureNameWords(records, showNames, measure);
    WrapSectorNames(records, showNames, measure);
    ComputeCellRects(records);
}

void UniverseMapLayout::BuildCellIndex(const std::vector<UniverseSectorRecord>& records) {
    m_cells.clear();
    for (size_t i = 0; i < records.size(); ++i)
        m_cells[CellKey(records[i].x, records[i].y)].push_back(static_cast<int32_t>(i));
}

const std::vector<int32_t>& UniverseMapLayout::RecordsAt(QPoint cell) const {
    static const std::vector<int32_t> none;
    const auto found = m_cells.find(CellKey(cell.x(), cell.y()));
    return found == m_cells.end() ? none : found->second;
}

int32_t UniverseMapLayout::FindSectorIndex(int32_t x, int32_t y) const {
    const std::vector<int32_t>& records = RecordsAt(QPoint(x, y));
    return records.empty() ? -1 : records.front();
}

// Direct child gates only; a gate without a target cell leads nowhere.
void UniverseMapLayout::BuildGateLinks(clsGalaxyParser& document,
                                       std::vector<UniverseSectorRecord>& records) const {
    for (UniverseSectorRecord& record : records) {
        record.links.clear();
        const clsGalaxyObject::Ptr sector = document.Sectors.find(record.Key);
        if (!sector)
            continue;
        for (const clsGalaxyObject::Ptr& child : sector->Childs) {
            if (child->otype() != kGateType || child->NamedProperty(QStringLiteral("gtid")) == -1)
                continue;
            const auto gx = child->Property(QStringLiteral("gx"));
            const auto gy = gx ? child->Property(QStringLiteral("gy")) : nullptr;
            record.links.push_back(gy ? FindSectorIndex(gx->Value, gy->Value) : -1);
        }
    }
}

// Names share many words, and measuring one costs far more than finding it
// again, so each different word is measured once.
void UniverseMapLayout::MeasureNameWords(std::vector<UniverseSectorRecord>& records, bool showNames,
                                         const TextMeasure& measure) {
    if (showNames) {
        QHash<QString, QSize> measured;
        measured.reserve(static_cast<qsizetype>(records.size()));
        for (UniverseSectorRecord& record : records) {
            record.nameLines = record.name.split(QLatin1Char(' '));
            record.lineSizes.clear();
            for (const QString& word : record.nameLines) {
                auto known = measured.constFind(word);
                if (known == measured.constEnd())
                    known = measured.insert(word, measure(word));
                record.lineSizes.push_back(*known);
                m_widestWord = std::max(m_widestWord, known->width());
            }
        }
    } else {
        m_widestWord = 0;
    }
    m_cellWidth = std::max(m_widestWord, kLeastWordWidth) + 4;
}

// Words join with one blank while the line stays within the widest word;
// the widths add up from the measured words, so nothing is measured twice.
void UniverseMapLayout::WrapSectorNames(std::vector<UniverseSectorRecord>& records, bool showNames,
                                        const TextMeasure& measure) {
    if (!showNames) {
        m_tallestBlock = 0;
        m_cellHeight = m_tallestBlock + 26;
        return;
    }
    const QSize blank = measure(QStringLiteral(" "));
    const int lineHeight = measure(QStringLiteral("X")).height();
    for (UniverseSectorRecord& record : records) {
        QStringList lines{QString()};
        std::vector<QSize> sizes{QSize(0, 0)};
        for (int i = 0; i < record.nameLines.size(); ++i) {
            const QString& word = record.nameLines[i];
            if (word.isEmpty())
                continue;
            const int wordWidth = record.lineSizes[static_cast<size_t>(i)].width();
            QString& line = lines.back();
            QSize& size = sizes.back();
            const int joined =
                line.isEmpty() ? wordWidth : size.width() + blank.width() + wordWidth;
            if (joined > m_widestWord && !line.isEmpty()) {
                lines.append(word);
                sizes.push_back(QSize(wordWidth, lineHeight));
            } else {
                line += line.isEmpty() ? word : QLatin1Char(' ') + word;
                size = QSize(joined, lineHeight);
            }
        }
        int block = 0;
        for (const QSize& size : sizes)
            block += size.height();
        m_tallestBlock = std::max(m_tallestBlock, block);
        record.lineCount = static_cast<int32_t>(lines.size());
        record.nameLines = std::move(lines);
        record.lineSizes = std::move(sizes);
    }
    m_cellHeight = m_tallestBlock + 26;
}

// A sector too far off the grid for any pixel gets no rectangle and is not
// drawn.
void UniverseMapLayout::ComputeCellRects(std::vector<UniverseSectorRecord>& records) const {
    constexpr int32_t kFarCell = 100'000;
    for (UniverseSectorRecord& record : records) {
        const bool far =
            std::abs(int64_t{record.x}) > kFarCell || std::abs(int64_t{record.y}) > kFarCell;
        record.cell =
            far ? QRect()
                : QRect(record.x * m_cellWidth, record.y * m_cellHeight, m_cellWidth, m_cellHeight);
    }
}

QPoint UniverseMapLayout::CellToScreen(int32_t x, int32_t y) const {
    return {mapmath::Round(m_pan.x() + static_cast<double>(m_cellWidth) * x).value_or(0),
            mapmath::Round(m_pan.y() + static_cast<double>(m_cellHeight) * y).value_or(0)};
}

QPoint UniverseMapLayout::CellAt(QPointF pixel) const {
    return {mapmath::Floor((pixel.x() - m_pan.x()) / m_cellWidth).value_or(-1),
            mapmath::Floor((pixel.y() - m_pan.y()) / m_cellHeight).value_or(-1)};
}

bool UniverseMapLayout::IsOnGrid(QPoint cell) {
    return cell.x() >= 0 && cell.x() < kColumns && cell.y() >= 0 && cell.y() < kRows;
}
