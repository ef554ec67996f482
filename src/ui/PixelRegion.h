#pragma once

#include <QImage>
#include <QRegion>

namespace galewarden {

// The pixels of `image` for which `inside` holds, as a region in the image's coordinates:
// the shapes the window system cuts the icon and label windows to.
QRegion pixelRegion(const QImage& image, bool (*inside)(QRgb pixel));

}  // namespace galewarden
