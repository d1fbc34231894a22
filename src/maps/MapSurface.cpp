#include "maps/MapSurface.h"

#include <QPainter>

namespace {

QFont MapFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    return font;
}

} // namespace

MapDrawMode ChooseDrawMode(bool useDirectDraw, bool useDoubleBuffer) {
    if (useDirectDraw)
        return MapDrawMode::DrawDirectDraw;
    return useDoubleBuffer ? MapDrawMode::DrawDoubleBuffer : MapDrawMode::DrawDirect;
}

MapSurface::MapSurface(MapDrawMode mode, QSize screen, QColor textBackground, QColor textColor)
    : m_mode(mode), m_font(MapFont()), m_metrics(m_font), m_textBackground(textBackground),
      m_textColor(textColor) {
    switch (mode) {
    case MapDrawMode::DrawDirectDraw:
        m_image = QImage(screen, QImage::Format_RGB32);
        if (m_image.isNull()) {
            m_ready = false;
            m_initError = QStringLiteral("An off-screen image of %1 x %2 pixels could not be made.")
                              .arg(screen.width())
                              .arg(screen.height());
        }
        break;
    case MapDrawMode::DrawDoubleBuffer:
        m_pixmap = QPixmap(screen);
        break;
    case MapDrawMode::DrawDirect:
        break;
    }
}

QSize MapSurface::TextSize(const QString& text) const {
    if (!m_ready || text.isEmpty())
        return {0, 0};
    return {m_metrics.horizontalAdvance(text), m_metrics.height()};
}

// A map area larger than the buffer gets a larger buffer; resizing within
// the buffer never allocates.
void MapSurface::PrepareBuffer(QSize size) {
    if (m_mode == MapDrawMode::DrawDirectDraw && !m_image.rect().contains(QRect({}, size)))
        m_image = QImage(size.expandedTo(m_image.size()), QImage::Format_RGB32);
    if (m_mode == MapDrawMode::DrawDoubleBuffer && !m_pixmap.rect().contains(QRect({}, size)))
        m_pixmap = QPixmap(size.expandedTo(m_pixmap.size()));
}

void MapSurface::PreparePainter(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(m_font);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(m_textBackground);
}

void MapSurface::Paint(QPaintDevice& target, QSize size, const QColor& background,
                       const Content& content) {
    if (!m_ready)
        return;
    PrepareBuffer(size);
    QPainter screen(&target);
    auto frame = [&](QPainter& painter) {
        PreparePainter(painter);
        painter.fillRect(QRect({}, size), background);
        content(painter);
    };
    switch (m_mode) {
    case MapDrawMode::DrawDirectDraw: {
        {
            QPainter painter(&m_image);
            frame(painter);
        }
        screen.drawImage(QPoint(), m_image, QRect({}, size));
        break;
    }
    case MapDrawMode::DrawDoubleBuffer: {
        {
            QPainter painter(&m_pixmap);
            frame(painter);
        }
        screen.drawPixmap(QPoint(), m_pixmap, QRect({}, size));
        break;
    }
    case MapDrawMode::DrawDirect:
        frame(screen);
        break;
    }
}
