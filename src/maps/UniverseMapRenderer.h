// Draws one frame of the Universe Map onto a painter: the grid, the gate
// links, every sector's circle in its race colour with its name, the
// selection frame and the sector being moved. Pens are made once.
#pragma once

#include "maps/UniverseSectorRecord.h"

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QPoint>
#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

class QPainter;
class MapSurface;
class UniverseMapLayout;

struct UniverseMapScene {
    const UniverseMapLayout* layout = nullptr;
    const std::vector<UniverseSectorRecord>* records = nullptr;
    QSize area;
    int32_t selected = -1;
    int32_t moving = -1;
    QPoint mouse;
    bool showGrid = true;
};

class UniverseMapRenderer {
public:
    static const QColor kBackground;
    // Races 0 to 10.
    static const std::array<QColor, 11> kRaceColors;

    explicit UniverseMapRenderer(const MapSurface& surface);

    void Draw(QPainter& painter, const UniverseMapScene& scene) const;

private:
    void DrawGrid(QPainter& painter, const UniverseMapScene& scene) const;
    void DrawGateLinks(QPainter& painter, const UniverseMapScene& scene, size_t index) const;
    void DrawSector(QPainter& painter, const UniverseMapScene& scene, size_t index, QPoint topLeft,
                    bool selected) const;

    const MapSurface& m_surface;
    QBrush m_backgroundBrush;
    std::array<QPen, 11> m_racePens;
    QPen m_gridPen;
    QPen m_fallbackPen;
    QPen m_linkPen;
    QPen m_selectionPen;
    QPen m_textPen;
};
