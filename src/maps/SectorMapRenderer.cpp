#include "maps/SectorMapRenderer.h"

#include "maps/GdiShapes.h"
#include "maps/MapMath.h"
#include "maps/MapSurface.h"
#include "maps/SectorMapLabels.h"
#include "maps/SectorMapTexts.h"
#include "maps/SectorMapTransform.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

const QColor SectorMapRenderer::kBackground(0, 64, 0);
const QColor SectorMapRenderer::kMarker(11, 113, 18);
const QColor SectorMapRenderer::kSelected(28, 181, 16);
const QColor SectorMapRenderer::kGrid(18, 105, 12);

namespace {

constexpr int32_t kHalfExtent = SectorMapTransform::kSectorExtent / 2;
constexpr int32_t kGridStep = 1'110'000;
constexpr int kGridLines = 10;
// Markers further out than this cannot touch any map area; they are skipped
// before their box is moved, so no pixel arithmetic can overflow.
constexpr int kFarPixel = 1 << 24;

QPen SolidPen(const QColor& color, int width) {
    return QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

} // namespace

SectorMapRenderer::SectorMapRenderer(const MapSurface& surface)
    : m_surface(surface), m_backgroundBrush(kBackground), m_markerBrush(kMarker),
      m_selectedBrush(kSelected), m_gridPen(SolidPen(kGrid, 1)), m_axisPen(SolidPen(kGrid, 2)),
      m_thinMarkerPen(SolidPen(kMarker, 1)), m_thinSelectedPen(SolidPen(kSelected, 1)),
      m_markerPen(SolidPen(kMarker, 2)), m_selectedPen(SolidPen(kSelected, 2)),
      m_selectionPen(kSelected, 1, Qt::DotLine), m_textPen(surface.TextColor()),
      m_blackPen(Qt::black), m_blackBrush(Qt::black) {}

void SectorMapRenderer::Draw(QPainter& painter, const SectorMapScene& scene) const {
    DrawGrid(painter, scene);
    DrawAll(painter, scene);
    DrawDistance(painter, scene);
}

// The painter's pen is left as it was, so lines drawn after a text keep theirs.
void SectorMapRenderer::Text(QPainter& painter, int x, int y, const QString& text) const {
    if (text.isEmpty())
        return;
    const QPen pen = painter.pen();
    painter.setPen(m_textPen);
    painter.drawText(QPoint(x, y + m_surface.Ascent()), text);
    painter.setPen(pen);
}

void SectorMapRenderer::WorldLine(QPainter& painter, const SectorMapTransform& view, int32_t x1,
                                  int32_t v1, int32_t x2, int32_t v2) const {
    const auto from = view.WorldToPixel(x1, v1);
    const auto to = view.WorldToPixel(x2, v2);
    if (from && to)
        painter.drawLine(*from, *to);
}

void SectorMapRenderer::DrawGrid(QPainter& painter, const SectorMapScene& scene) const {
    const SectorMapTransform& view = *scene.view;
    painter.setPen(m_gridPen);
    for (int sign : {1, -1})
        for (int k = 1; k <= kGridLines; ++k)
            WorldLine(painter, view, sign * k * kGridStep, -kHalfExtent, sign * k * kGridStep,
                      kHalfExtent);
    for (int sign : {1, -1})
        for (int k = 1; k <= kGridLines; ++k)
            WorldLine(painter, view, -kHalfExtent, sign * k * kGridStep, kHalfExtent,
                      sign * k * kGridStep);
    const QPoint center = view.GetCenter();
    const QSize area = view.AreaSize();
    painter.setPen(m_axisPen);
    painter.drawLine(center.x(), 0, center.x(), area.height());
    Text(painter, center.x() + 5, 0, scene.axisLabel);
    painter.drawLine(0, center.y(), area.width(), center.y());
    Text(painter, area.width() - 10, center.y() + 2, QStringLiteral("X"));
}

void SectorMapRenderer::DrawAll(QPainter& painter, const SectorMapScene& scene) const {
    if (scene.content == SectorMapScene::Content::NoSector)
        return;
    if (scene.content == SectorMapScene::Content::NotLoaded) {
        Text(painter, 0, 0, QStringLiteral("Sector is not loaded"));
        return;
    }
    const auto count = static_cast<int32_t>(scene.records->size());
    for (int32_t i = 0; i < count; ++i)
        DrawObject(painter, scene, i);
    if (scene.selected >= 0 && scene.selected < count)
        DrawObject(painter, scene, scene.selected);
}

void SectorMapRenderer::DrawObject(QPainter& painter, const SectorMapScene& scene,
                                   int32_t index) const {
    const SectorMapObjectRecord& record = (*scene.records)[index];
    const auto marker = scene.view->MarkerPixel(record.x, record.V(scene.topView));
    if (!marker || std::abs(marker->x()) > kFarPixel || std::abs(marker->y()) > kFarPixel)
        return;
    const QRect box(QPoint(record.left + marker->x(), record.top + marker->y()),
                    QPoint(record.right + marker->x(), record.bottom + marker->y()));
    if (!box.intersects(QRect(QPoint(-8, -8), scene.view->AreaSize() + QSize(16, 16))))
        return;
    const bool selected = index == scene.selected;
    DrawTexts(painter, record, scene.labelBits, marker->x(), box.bottom());
    const Stamp& stamp = MarkerStamp(record.type, selected);
    painter.drawImage(*marker + stamp.offset, stamp.image);
    if (selected)
        DrawSelectionFrame(painter, box);
}

namespace {

// The label's lines as they are written from the bottom of the box
// upwards: gate label, ID, name; each with its height above the bottom.
template <class Visit>
void ForEachLine(const SectorMapObjectRecord& record, int32_t labelBits, Visit visit) {
    int stacked = 0;
    auto line = [&](const QString& text, QSize size) {
        if (size.isEmpty())
            return;
        visit(text, size, stacked);
        stacked += size.height();
    };
    line(record.gateLabel, record.gateSize);
    if (SectorMapLabels::ShowsIDLine(record, labelBits))
        line(record.idText, record.idSize);
    if (labelBits & SectorMapLabels::kShowNames)
        line(record.nameText, record.nameSize);
}

// Markers that look alike share a picture: by type, every other type plain.
constexpr int32_t kMarkerTypes[] = {3, 4, 5, 6, 7, 17, SectorMapLabels::kGateType};
// Room around the marker's pixel for the widest marker, a gate with its lobes.
constexpr int kMarkerReach = 16;

// The index of the type in kMarkerTypes; the count of them for the plain marker.
int MarkerKind(int32_t type) {
    const auto* kind = std::find(std::begin(kMarkerTypes), std::end(kMarkerTypes), type);
    return static_cast<int>(kind - std::begin(kMarkerTypes));
}

// The smallest part of the image that holds every pixel that is not clear.
QRect Drawn(const QImage& image) {
    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                drawn |= QRect(x, y, 1, 1);
    return drawn;
}

// Where a line stands in the label image: centred, above the lines below it.
QRect LineInImage(const QImage& image, QSize line, int stacked) {
    return {QPoint(image.width() / 2 - line.width() / 2, image.height() - line.height() - stacked),
            line};
}

} // namespace

const QImage& SectorMapRenderer::LabelImage(const SectorMapObjectRecord& record,
                                            int32_t labelBits) const {
    if (!record.labelImage.isNull())
        return record.labelImage;
    QSize size(0, 0);
    ForEachLine(record, labelBits, [&](const QString&, QSize line, int stacked) {
        size = QSize(std::max(size.width(), line.width()), stacked + line.height());
    });
    if (size.isEmpty())
        return record.labelImage;
    QImage image(size, QImage::Format_RGB32);
    // The opaque text background, as the plain texts get it.
    image.fill(m_surface.TextBackground());
    QPainter painter(&image);
    m_surface.PreparePainter(painter);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(m_textPen);
    ForEachLine(record, labelBits, [&](const QString& text, QSize line, int stacked) {
        const QRect at = LineInImage(image, line, stacked);
        painter.drawText(QPoint(at.left(), at.top() + m_surface.Ascent()), text);
    });
    painter.end();
    record.labelImage = std::move(image);
    return record.labelImage;
}

const SectorMapRenderer::Stamp& SectorMapRenderer::MarkerStamp(int32_t type, bool selected) const {
    static_assert(std::size(kMarkerTypes) + 1 == kMarkerKinds);
    Stamp& stamp = m_markerStamps[static_cast<size_t>(MarkerKind(type) * 2 + (selected ? 1 : 0))];
    if (!stamp.image.isNull())
        return stamp;
    QImage image(2 * kMarkerReach + 1, 2 * kMarkerReach + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    m_surface.PreparePainter(painter);
    DrawMarker(painter, type, kMarkerReach, kMarkerReach, selected);
    painter.end();
    const QRect drawn = Drawn(image);
    stamp.image = image.copy(drawn);
    stamp.offset = drawn.topLeft() - QPoint(kMarkerReach, kMarkerReach);
    return stamp;
}

// Each line is copied on its own, so the background shows beside the
// shorter ones as it did beside texts written one by one.
void SectorMapRenderer::DrawTexts(QPainter& painter, const SectorMapObjectRecord& record,
                                  int32_t labelBits, int markerX, int boxBottom) const {
    const QImage& image = LabelImage(record, labelBits);
    if (image.isNull())
        return;
    const QPoint offset(markerX - image.width() / 2, boxBottom - image.height());
    ForEachLine(record, labelBits, [&](const QString&, QSize line, int stacked) {
        const QRect source = LineInImage(image, line, stacked);
        painter.drawImage(source.topLeft() + offset, image, source);
    });
}

void SectorMapRenderer::DrawMarker(QPainter& painter, int32_t type, int x, int y,
                                   bool selected) const {
    const QPen& outline = selected ? m_selectedPen : m_markerPen;
    const QPen& thin = selected ? m_thinSelectedPen : m_thinMarkerPen;
    const QBrush& fill = selected ? m_selectedBrush : m_markerBrush;
    auto shape = [&](const QPen& pen, const QBrush& brush) {
        painter.setPen(pen);
        painter.setBrush(brush);
    };
    // An ellipse in the GDI box of the given half sizes around (cx, y).
    auto ellipse = [&](const QPen& pen, const QBrush& brush, int cx, int halfWidth,
                       int halfHeight) {
        shape(pen, brush);
        painter.drawEllipse(
            gdi::Box(cx - halfWidth, y - halfHeight, cx + halfWidth, y + halfHeight));
    };
    switch (type) {
    case 3: // sun
    case 4: // planet
        ellipse(outline, fill, x, 5, 5);
        if (type == 3)
            ellipse(m_blackPen, m_blackBrush, x, 2, 2);
        break;
    case 5: // dock
        ellipse(outline, m_backgroundBrush, x, 7, 7);
        ellipse(thin, fill, x, 2, 2);
        break;
    case 6: // factory
        shape(outline, fill);
        painter.drawRect(gdi::Box(x - 3, y - 3, x + 3, y + 3));
        break;
    case 7: { // ship
        shape(outline, fill);
        const QPoint points[] = {{x - 4, y + 4}, {x, y - 4}, {x + 4, y + 4}};
        painter.drawPolygon(points, 3);
        break;
    }
    case 17: // asteroid
        ellipse(outline, fill, x, 3, 3);
        break;
    case SectorMapLabels::kGateType:
        ellipse(outline, m_backgroundBrush, x, 7, 7);
        ellipse(m_thinMarkerPen, fill, x - 8, 3, 3);
        ellipse(m_thinMarkerPen, fill, x + 8, 3, 3);
        break;
    default:
        ellipse(thin, m_backgroundBrush, x, 3, 3);
        break;
    }
}

void SectorMapRenderer::DrawSelectionFrame(QPainter& painter, const QRect& box) const {
    painter.setPen(m_selectionPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(gdi::Box(box.left() - 4, box.top() - 4, box.right() + 3, box.bottom() + 3));
}

void SectorMapRenderer::DrawDistance(QPainter& painter, const SectorMapScene& scene) const {
    if (!scene.measuring)
        return;
    const SectorMapTransform& view = *scene.view;
    painter.setPen(m_thinSelectedPen);
    if (const auto origin = view.WorldToPixel(scene.measureOrigin.x(), scene.measureOrigin.y()))
        painter.drawLine(*origin, scene.mouse);
    const QPointF world = view.ScreenToWorld(static_cast<float>(scene.mouse.x()),
                                             static_cast<float>(scene.mouse.y()));
    const float dx = static_cast<float>(world.x()) - static_cast<float>(scene.measureOrigin.x());
    const float dv = static_cast<float>(world.y()) - static_cast<float>(scene.measureOrigin.y());
    const QString text = SectorMapTexts::DistanceText(std::sqrt(dv * dv + dx * dx), scene.units);
    const QSize size = m_surface.TextSize(text);
    Text(painter, view.AreaSize().width() - size.width() - 5, 5, text);
}
