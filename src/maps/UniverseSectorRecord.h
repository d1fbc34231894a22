// One sector of the Universe Map as the map holds it: its cell, name, race,
// the wrapped name lines, its cell rectangle and the sectors its gates lead to.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

struct UniverseSectorRecord {
    QString Key;
    int32_t x = 0;
    int32_t y = 0;
    QString name;
    QStringList nameLines;
    // Measured with the lines, so a frame writes them without measuring.
    std::vector<QSize> lineSizes;
    int32_t lineCount = 0;
    // Pixels without the pan offset.
    QRect cell;
    int32_t race = 0;
    // Record indexes, -1 where a gate leads to no sector.
    std::vector<int32_t> links;
};
