#include "maps/UniverseMapRenderer.h"

#include "maps/GdiShapes.h"
#include "maps/MapMath.h"
#include "maps/MapSurface.h"
#include "maps/UniverseMapLayout.h"

#include <QPainter>

#include <cmath>

const QColor UniverseMapRenderer::kBackground(0, 0, 0);
const std::array<QColor, 11> UniverseMapRenderer::kRaceColors = {
    QColor(255, 255, 255), QColor(255, 211, 90), QColor(0, 0, 255),    QColor(140, 146, 206),
    QColor(255, 121, 57),  QColor(115, 235, 41), QColor(255, 0, 0),    QColor(152, 0, 52),
    QColor(178, 54, 0),    QColor(0, 159, 60),   QColor(255, 255, 255)};

namespace {

// The lines at the pan origin plus whole cells that fall on [0, extent),
// and the origin line itself, which is always drawn.
template <class Line> void GridLines(double origin, int step, int extent, Line line) {
    line(origin);
    if (step <= 0)
        return;
    for (double at = origin + std::ceil(-origin / step) * step; at < extent; at += step)
        if (at != origin)
            line(at);
}

} // namespace

UniverseMapRenderer::UniverseMapRenderer(const MapSurface& surface)
    : m_surface(surface), m_backgroundBrush(kBackground), m_gridPen(QColor(61, 59, 59), 1),
      m_fallbackPen(QColor(255, 255, 255), 1), m_linkPen(QColor(255, 255, 255), 1),
      m_selectionPen(QColor(255, 255, 0), 1, Qt::DotLine), m_textPen(surface.TextColor()) {
    for (size_t race = 0; race < kRaceColors.size(); ++race)
        m_racePens[race] = QPen(kRaceColors[race], 1);
}

void UniverseMapRenderer::Draw(QPainter& painter, const UniverseMapScene& scene) const {
    DrawGrid(painter, scene);
    const std::vector<UniverseSectorRecord>& records = *scene.records;
    for (size_t i = 0; i < records.size(); ++i)
        DrawGateLinks(painter, scene, i);
    for (size_t i = 0; i < records.size(); ++i)
        if (!records[i].cell.isNull())
            DrawSector(painter, scene, i, scene.layout->CellToScreen(records[i].x, records[i].y),
                       static_cast<int32_t>(i) == scene.selected);
    if (scene.moving >= 0 && scene.moving < static_cast<int32_t>(records.size())) {
        const QPoint topLeft(
            mapmath::Round(scene.mouse.x() - scene.layout->CellWidth() / 2.0).value_or(0),
            mapmath::Round(scene.mouse.y() - scene.layout->CellHeight() / 2.0).value_or(0));
        DrawSector(painter, scene, static_cast<size_t>(scene.moving), topLeft, true);
    }
}

void UniverseMapRenderer::DrawGrid(QPainter& painter, const UniverseMapScene& scene) const {
    if (!scene.showGrid)
        return;
    painter.setPen(m_gridPen);
    const QPointF pan = scene.layout->Pan();
    const int width = scene.area.width();
    const int height = scene.area.height();
    GridLines(pan.x(), scene.layout->CellWidth(), width, [&](double x) {
        const int at = mapmath::Round(x).value_or(-1);
        painter.drawLine(at, 0, at, height);
    });
    GridLines(pan.y(), scene.layout->CellHeight(), height, [&](double y) {
        const int at = mapmath::Round(y).value_or(-1);
        painter.drawLine(0, at, width, at);
    });
}

void UniverseMapRenderer::DrawGateLinks(QPainter& painter, const UniverseMapScene& scene,
                                        size_t index) const {
    const std::vector<UniverseSectorRecord>& records = *scene.records;
    const QPointF pan = scene.layout->Pan();
    const double halfCell = scene.layout->CellWidth() / 2.0;
    auto linkPoint = [&](const UniverseSectorRecord& record) {
        const double x = std::nearbyint(halfCell + record.cell.left()) + pan.x();
        const double y = record.cell.top() + 12 + pan.y();
        return QPoint(mapmath::Round(x).value_or(0), mapmath::Round(y).value_or(0));
    };
    const UniverseSectorRecord& from = records[index];
    if (from.cell.isNull())
        return;
    painter.setPen(m_linkPen);
    for (const int32_t target : from.links)
        if (target >= 0 && !records[static_cast<size_t>(target)].cell.isNull())
            painter.drawLine(linkPoint(from), linkPoint(records[static_cast<size_t>(target)]));
}

void UniverseMapRenderer::DrawSector(QPainter& painter, const UniverseMapScene& scene, size_t index,
                                     QPoint topLeft, bool selected) const {
    const UniverseSectorRecord& record = (*scene.records)[index];
    const int cellWidth = scene.layout->CellWidth();
    const int half = mapmath::Round(cellWidth / 2.0).value_or(0);
    const int left = topLeft.x();
    const int top = topLeft.y();
    const bool known = record.race >= 0 && record.race < static_cast<int32_t>(m_racePens.size());
    painter.setPen(known ? m_racePens[static_cast<size_t>(record.race)] : m_fallbackPen);
    painter.setBrush(m_backgroundBrush);
    painter.drawEllipse(gdi::Box(left + half - 10, top + 2, left + half + 10, top + 22));
    painter.setPen(m_textPen);
    int y = top + 24;
    for (int32_t line = 0; line < record.lineCount; ++line) {
        const QSize size = record.lineSizes[static_cast<size_t>(line)];
        if (!record.nameLines[line].isEmpty())
            painter.drawText(QPoint(left + half - size.width() / 2, y + m_surface.Ascent()),
                             record.nameLines[line]);
        y += size.height();
    }
    if (selected) {
        painter.setPen(m_selectionPen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(gdi::Box(left, top, left + cellWidth, top + scene.layout->CellHeight()));
    }
}
