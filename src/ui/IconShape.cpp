#include "ui/IconShape.h"

#include <QPainter>

#include "ui/PixelRegion.h"

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

bool notBlack(QRgb pixel) {
    return (pixel & RGB_MASK) != 0;
}

}  // namespace

QRegion shapeRegion(const QImage& snapshot) {
    return pixelRegion(snapshot, notBlack);
}

}  // namespace galewarden
