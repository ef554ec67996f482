#include "ui/PixelRegion.h"

#include <vector>

namespace galewarden {

QRegion pixelRegion(const QImage& image, bool (*inside)(QRgb pixel)) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<QRect> runs;  // row by row, left to right: the banded order QRegion keeps
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width();) {
            if (!inside(row[x])) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < pixels.width() && inside(row[x])) {
                ++x;
            }
            runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

}  // namespace galewarden
