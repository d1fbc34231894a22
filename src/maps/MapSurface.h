// Where a map window draws its picture and how the picture reaches the
// screen. The back end is chosen once, when the window loads: an off-screen
// image blitted to the map area (the DirectDraw setting), a pixmap copied in
// one block (double buffer), or painting straight onto the map area. The
// window's font and text colours live here, so text can be measured at any
// time, also between frames.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QPaintDevice;

enum class MapDrawMode { DrawDirectDraw, DrawDoubleBuffer, DrawDirect };

// The image setting wins over the double-buffer setting.
MapDrawMode ChooseDrawMode(bool useDirectDraw, bool useDoubleBuffer);

class MapSurface {
public:
    // screen: the size of the off-screen buffers, normally the screen's.
    MapSurface(MapDrawMode mode, QSize screen, QColor textBackground, QColor textColor);

    MapDrawMode Mode() const { return m_mode; }
    // False only for an image back end whose image could not be made; such
    // a surface never paints and measures every text as 0 by 0.
    bool Ready() const { return m_ready; }
    // Why the image back end failed; empty otherwise.
    const QString& InitError() const { return m_initError; }

    const QFont& Font() const { return m_font; }
    QSize TextSize(const QString& text) const;
    int Ascent() const { return m_ready ? m_metrics.ascent() : 0; }
    QColor TextBackground() const { return m_textBackground; }
    QColor TextColor() const { return m_textColor; }

    using Content = std::function<void(QPainter&)>;
    // One frame of the given size onto the target (the map area, from its
    // paint event): the background fill, the window's content, then the
    // picture is presented.
    void Paint(QPaintDevice& target, QSize size, const QColor& background, const Content& content);
    // A painter set up as a frame's: no antialiasing, the window's font, the
    // opaque text background.
    void PreparePainter(QPainter& painter) const;

private:
    void PrepareBuffer(QSize size);

    MapDrawMode m_mode;
    bool m_ready = true;
    QString m_initError;
    QImage m_image;
    QPixmap m_pixmap;
    QFont m_font;
    QFontMetrics m_metrics;
    QColor m_textBackground;
    QColor m_textColor;
};
