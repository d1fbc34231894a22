// The Sector Map's view of one sector: pan offset, zoom and the scale from
// game units to pixels, and the conversions between world and pixel points.
// The vertical world coordinate v is the record's negated z (top view) or
// negated y (side view), so it grows downwards like the pixel rows.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

class SectorMapTransform {
public:
    // A sector is this many game units edge to edge, centred on 0.
    static constexpr int32_t kSectorExtent = 22'200'000;

    // The scale is fixed at load from the map area's height; a height of 0
    // or less takes the fallback, so no conversion divides by zero.
    void SetBaseScale(int mapHeight, int fallbackHeight);
    void SetAreaSize(QSize size) { m_area = size; }
    QSize AreaSize() const { return m_area; }

    float BaseScale() const { return m_baseScale; }
    float ZoomFactor() const { return m_zoom; }
    QPointF Pan() const { return {m_panX, m_panY}; }
    void SetPan(float x, float y);
    void PanBy(float dx, float dy) { SetPan(m_panX + dx, m_panY + dy); }

    // The pixel at which the world origin is drawn.
    QPoint GetCenter() const;
    QPointF WorldToScreen(float x, float v) const;
    QPointF ScreenToWorld(float x, float y) const;
    // The whole pixel of a world point for lines; nothing when the
    // arithmetic leaves the 32-bit range (extreme zoom).
    std::optional<QPoint> WorldToPixel(int32_t x, int32_t v) const;
    // The rounded marker pixel of a world point; nothing when out of range.
    std::optional<QPoint> MarkerPixel(int32_t x, int32_t v) const;

    // One step in or out around the middle of the map area; false when the
    // step is refused at the limits.
    bool Zoom(bool zoomIn);
    // "150.0%"
    QString ZoomText() const;

private:
    QSize m_area;
    float m_panX = 0;
    float m_panY = 0;
    float m_zoom = 1;
    float m_baseScale = 0;
};
