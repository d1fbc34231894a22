// Draws one frame of the Sector Map onto a painter: the grid and axes, every
// object's marker and texts, the selection frame and the distance overlay.
// Pens and brushes are made once; a frame only selects them. Each marker
// kind and each record's label is drawn once into an image that every later
// frame copies: a drag redraws the whole frame at every mouse move.
#pragma once

#include "maps/SectorMapObjectRecord.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QPainter;
class MapSurface;
class SectorMapTransform;

// What a frame shows; the window fills it from its own state.
struct SectorMapScene {
    enum class Content { NoSector, NotLoaded, Objects };

    const SectorMapTransform* view = nullptr;
    const std::vector<SectorMapObjectRecord>* records = nullptr;
    Content content = Content::NoSector;
    int32_t selected = -1;
    bool topView = true;
    QString axisLabel;
    int32_t labelBits = 0;
    int32_t units = 0;
    bool measuring = false;
    QPoint measureOrigin; // world x and v
    QPoint mouse;         // pixels
};

class SectorMapRenderer {
public:
    static const QColor kBackground;
    static const QColor kMarker;
    static const QColor kSelected;
    static const QColor kGrid;

    explicit SectorMapRenderer(const MapSurface& surface);

    // The frame's content after the background fill.
    void Draw(QPainter& painter, const SectorMapScene& scene) const;

private:
    // A marker drawn once, and where its top-left pixel lies from the marker's.
    struct Stamp {
        QImage image;
        QPoint offset;
    };

    void DrawGrid(QPainter& painter, const SectorMapScene& scene) const;
    void DrawAll(QPainter& painter, const SectorMapScene& scene) const;
    void DrawObject(QPainter& painter, const SectorMapScene& scene, int32_t index) const;
    // The record's label lines, drawn at the first call after it was measured.
    const QImage& LabelImage(const SectorMapObjectRecord& record, int32_t labelBits) const;
    void DrawTexts(QPainter& painter, const SectorMapObjectRecord& record, int32_t labelBits,
                   int markerX, int boxBottom) const;
    // The marker of a type, drawn at the first call; every frame copies it.
    const Stamp& MarkerStamp(int32_t type, bool selected) const;
    void DrawMarker(QPainter& painter, int32_t type, int x, int y, bool selected) const;
    void DrawSelectionFrame(QPainter& painter, const QRect& box) const;
    void DrawDistance(QPainter& painter, const SectorMapScene& scene) const;
    void WorldLine(QPainter& painter, const SectorMapTransform& view, int32_t x1, int32_t v1,
                   int32_t x2, int32_t v2) const;
    void Text(QPainter& painter, int x, int y, const QString& text) const;

    const MapSurface& m_surface;
    QBrush m_backgroundBrush;
    QBrush m_markerBrush;
    QBrush m_selectedBrush;
    QPen m_gridPen;
    QPen m_axisPen;
    QPen m_thinMarkerPen;
    QPen m_thinSelectedPen;
    QPen m_markerPen;
    QPen m_selectedPen;
    QPen m_selectionPen;
    QPen m_textPen;
    QPen m_blackPen;
    QBrush m_blackBrush;
    // Seven marker types and the plain marker of every other type, each not
    // selected and selected.
    static constexpr int kMarkerKinds = 8;
    mutable std::array<Stamp, 2 * kMarkerKinds> m_markerStamps;
};
