// One object of the sector shown on the Sector Map, as the map holds it: its
// coordinates (y and z negated, so they grow downwards like pixel rows), its
// texts and its label box. Coordinates moved on the map live here until they
// are written back into the object.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

struct SectorMapObjectRecord {
    QString key;
    int32_t x = 0;
    int32_t negY = 0;
    int32_t negZ = 0;
    int32_t type = 0;
    QString idText;
    QString nameText;
    QString gateTargetName;
    QString gateTargetID;
    // Pixels relative to the marker's centre: the marker and its texts.
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool moved = false;

    // Measured with the box, so a frame draws texts without measuring them.
    QString gateLabel;
    QSize nameSize{0, 0};
    QSize idSize{0, 0};
    QSize gateSize{0, 0};
    // The shown lines drawn once, stacked as they stand under the marker, by
    // the first frame that shows the record; every frame after it only copies
    // them. Measuring the label again drops it, so new texts or label bits
    // are drawn anew.
    mutable QImage labelImage;

    // The vertical world coordinate of the view.
    int32_t V(bool topView) const { return topView ? negZ : negY; }
};
