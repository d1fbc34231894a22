// The drawing surface a map window makes when it loads: the back end the
// settings choose, over buffers of the screen's size, and the message when
// the image back end cannot be made.
#pragma once

#include "maps/MapSurface.h"

#include <memory>

class QWidget;

// screen: the buffers' size; an invalid size takes the screen's.
std::unique_ptr<MapSurface> CreateMapSurface(QSize screen, QColor textBackground, QColor textColor,
                                             QWidget* window);
