#include "ui/IconShape.h"

#include <QPainter>
#include <vector>

namespace galewarden {

QPainterPath iconShapePicture() {
    constexpr qreal kRadius = kShapePictureWidth * 0.04;
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, kShapePictureWidth, kShapePictureHeight), kRadius, kRadius);
    return path;
}

QImage shapeSnapshot(QSize size) {
    QImage snapshot(size, QImage::Format_RGB32);
    if (snapshot.isNull()) {
        return snapshot;
    }
    snapshot.fill(Qt::black);
    QPainter painter(&snapshot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size.width()) / kShapePictureWidth,
                  qreal(size.height()) / kShapePictureHeight);
    painter.fillPath(iconShapePicture(), Qt::white);
    return snapshot;
}

namespace {

bool isBlack(QRgb pixel) {
    return (pixel & RGB_MASK) == 0;
}

}  // namespace

QRegion shapeRegion(const QImage& snapshot) {
    const QImage image = snapshot.convertToFormat(QImage::Format_RGB32);
    std::vector<QRect> runs;  // row by row, left to right: the banded order QRegion keeps
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if (isBlack(row[x])) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && !isBlack(row[x])) {
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
