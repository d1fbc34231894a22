// The drawing area of a map window: it owns no state and hands its paint,
// resize, mouse and wheel events to the window as calls.
#pragma once

#include <QWidget>

#include <functional>

class QMouseEvent;

class MapArea : public QWidget {
    Q_OBJECT

public:
    struct Handlers {
        std::function<void()> paint;
        std::function<void()> resize;
        std::function<void(QMouseEvent&)> mouseDown;
        std::function<void(QMouseEvent&)> mouseMove;
        std::function<void(QMouseEvent&)> mouseUp;
        std::function<void()> doubleClick;
        std::function<void(int delta)> wheel;
        std::function<void(Qt::KeyboardModifiers)> keyUp;
    };

    MapArea(QSize designSize, QWidget* parent = nullptr);
    void SetHandlers(Handlers handlers) { m_handlers = std::move(handlers); }
    QSize sizeHint() const override { return m_designSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QSize m_designSize;
    Handlers m_handlers;
};
