#include "ui/TrayPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

#include "core/alerts/classify/SignalColour.h"
#include "ui/SignalFill.h"

namespace galewarden {
namespace {

constexpr qreal kCentre = kTrayPictureSize / 2.0;
constexpr qreal kReach = kCentre - 1.0;  // room for the outline's antialiasing
constexpr qreal kDotRadius = 2.5;

QPolygonF diamond(QPointF centre, qreal reach) {
    return QPolygonF({centre + QPointF(0, -reach), centre + QPointF(reach, 0),
                      centre + QPointF(0, reach), centre + QPointF(-reach, 0)});
}

// The quarters hold one corner each: the small diamonds between that corner and the centre.
void fillQuarters(QPainter& painter) {
    const qreal half = kReach / 2;
    const std::array<std::pair<QPointF, QColor>, 4> quarters{{
        {QPointF(kCentre, kCentre - half), signalFill(kYellow)},
        {QPointF(kCentre + half, kCentre), signalFill(kBlue)},
        {QPointF(kCentre, kCentre + half), signalFill(kRed)},
        {QPointF(kCentre - half, kCentre), signalFill(kOrange)},
    }};
    painter.setPen(Qt::NoPen);
    // An underlay keeps the antialiased seams between the quarters from letting light through.
    painter.setBrush(QColor(0xf0, 0x80, 0x40));
    painter.drawPolygon(diamond(QPointF(kCentre, kCentre), kReach));
    for (const auto& [centre, colour] : quarters) {
        painter.setBrush(colour);
        painter.drawPolygon(diamond(centre, half));
    }
}

}  // namespace

QImage trayPicture(int level, int size) {
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / kTrayPictureSize, qreal(size) / kTrayPictureSize);
    const QPolygonF outline = diamond(QPointF(kCentre, kCentre), kReach);
    if (isColourLevel(level)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(signalFill(level));
        painter.drawPolygon(outline);
    } else {
        fillQuarters(painter);
    }
    // A dark rim keeps the light grey diamond visible on a light panel.
    painter.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(outline);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(kCentre, kCentre), kDotRadius, kDotRadius);
    return picture;
}

}  // namespace galewarden
