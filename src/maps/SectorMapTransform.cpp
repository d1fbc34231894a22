#include "maps/SectorMapTransform.h"

#include "maps/MapMath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kZoomStep = 1.5f;
constexpr float kLeastZoom = 0.2f;
constexpr float kMostZoom = 4900.0f;

} // namespace

void SectorMapTransform::SetBaseScale(int mapHeight, int fallbackHeight) {
    const int height = mapHeight > 0 ? mapHeight : fallbackHeight;
    m_baseScale = static_cast<float>(height) / static_cast<float>(kSectorExtent);
}

void SectorMapTransform::SetPan(float x, float y) {
    // Beyond this no pixel of the sector can show; kept there, the centre
    // stays well inside 32 bits at any zoom.
    constexpr float kLimit = 1.0e8f;
    if (std::isfinite(x) && std::isfinite(y)) {
        m_panX = std::clamp(x, -kLimit, kLimit);
        m_panY = std::clamp(y, -kLimit, kLimit);
    }
}

QPoint SectorMapTransform::GetCenter() const {
    const float cx = std::floor(static_cast<float>(m_area.width()) / 2 + m_panX);
    const float cy = std::floor(static_cast<float>(m_area.height()) / 2 + m_panY);
    return {static_cast<int>(cx), static_cast<int>(cy)};
}

QPointF SectorMapTransform::WorldToScreen(float x, float v) const {
    const QPoint center = GetCenter();
    const float scale = m_baseScale * m_zoom;
    return {x * scale + static_cast<float>(center.x()), v * scale + static_cast<float>(center.y())};
}

QPointF SectorMapTransform::ScreenToWorld(float x, float y) const {
    const QPoint center = GetCenter();
    return {(x - static_cast<float>(center.x())) / m_baseScale / m_zoom,
            (y - static_cast<float>(center.y())) / m_baseScale / m_zoom};
}

std::optional<QPoint> SectorMapTransform::WorldToPixel(int32_t x, int32_t v) const {
    const QPoint center = GetCenter();
    const auto px = mapmath::Floor(
        static_cast<double>(m_baseScale * static_cast<float>(x) * m_zoom) + center.x());
    const auto py = mapmath::Floor(
        static_cast<double>(m_baseScale * static_cast<float>(v) * m_zoom) + center.y());
    if (!px || !py)
        return std::nullopt;
    return QPoint(*px, *py);
}

std::optional<QPoint> SectorMapTransform::MarkerPixel(int32_t x, int32_t v) const {
    const QPointF point = WorldToScreen(static_cast<float>(x), static_cast<float>(v));
    const auto px = mapmath::Round(point.x());
    const auto py = mapmath::Round(point.y());
    if (!px || !py)
        return std::nullopt;
    return QPoint(*px, *py);
}

bool SectorMapTransform::Zoom(bool zoomIn) {
    if (zoomIn ? m_zoom > kMostZoom : m_zoom < kLeastZoom)
        return false;
    const float factor = zoomIn ? kZoomStep : 1.0f / kZoomStep;
    m_zoom *= factor;
    SetPan(m_panX * factor, m_panY * factor);
    return true;
}

QString SectorMapTransform::ZoomText() const {
    return QString::number(static_cast<double>(m_zoom) * 100, 'f', 1) + QLatin1Char('%');
}
