#pragma once

#include <QImage>
#include <QPainterPath>
#include <QRegion>
#include <QSize>

namespace galewarden {

// The icon window's shape picture: a 2000 × 1640 rounded rectangle whose corners have a
// radius of 4 % of its width, kept as a path so that it costs no pixels until drawn.
inline constexpr int kShapePictureWidth = 2000;
inline constexpr int kShapePictureHeight = 1640;
QPainterPath iconShapePicture();

// The shape picture drawn scaled to `size` over black.
QImage shapeSnapshot(QSize size);

// Every pixel of the snapshot that is not black: the window's visible and clickable area.
QRegion shapeRegion(const QImage& snapshot);

}  // namespace galewarden
