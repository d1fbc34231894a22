#include "maps/MapArea.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

MapArea::MapArea(QSize designSize, QWidget* parent) : QWidget(parent), m_designSize(designSize) {
    resize(designSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void MapArea::paintEvent(QPaintEvent*) {
    if (m_handlers.paint)
        m_handlers.paint();
}

void MapArea::resizeEvent(QResizeEvent*) {
    if (m_handlers.resize)
        m_handlers.resize();
}

void MapArea::mousePressEvent(QMouseEvent* event) {
    if (m_handlers.mouseDown)
        m_handlers.mouseDown(*event);
}

void MapArea::mouseMoveEvent(QMouseEvent* event) {
    if (m_handlers.mouseMove)
        m_handlers.mouseMove(*event);
}

void MapArea::mouseReleaseEvent(QMouseEvent* event) {
    if (m_handlers.mouseUp)
        m_handlers.mouseUp(*event);
}

void MapArea::mouseDoubleClickEvent(QMouseEvent*) {
    if (m_handlers.doubleClick)
        m_handlers.doubleClick();
}

void MapArea::wheelEvent(QWheelEvent* event) {
    if (m_handlers.wheel)
        m_handlers.wheel(event->angleDelta().y());
    event->accept();
}

void MapArea::keyReleaseEvent(QKeyEvent* event) {
    if (m_handlers.keyUp)
        m_handlers.keyUp(event->modifiers());
    QWidget::keyReleaseEvent(event);
}
