// GDI figures leave out their right and bottom edge, while QPainter's stroked
// shapes cover them; these boxes convert a GDI bounding box so both agree.
#pragma once

#include <QRect>

namespace gdi {

// The QPainter rectangle of the GDI bounding box (left, top, right, bottom)
// of a Rectangle or Ellipse drawn with a 1-pixel pen.
inline QRect Box(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

} // namespace gdi
