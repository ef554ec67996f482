#include "ui/SignalPicture.h"

#include <climits>

#include "core/alerts/DisplaySnapshot.h"
#include "core/alerts/classify/SignalColour.h"
#include "core/alerts/pictures/BuiltinPictures.h"

namespace galewarden {
namespace {

constexpr QRgb kKeyColour = qRgb(0, 0, 16);

QImage decoded(const std::string& png) {
    if (png.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    return QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                            static_cast<int>(png.size()), "PNG");
}

void keyOut(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] == kKeyColour) {
                row[x] = 0;
            }
        }
    }
}

}  // namespace

QImage signalPicture(const DisplayEntry& entry) {
    QImage picture = decoded(entry.picture);
    if (picture.isNull()) {
        picture = decoded(builtinPicture(colourLevel(colourCharacterOf(entry.signalName))));
    }
    picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    keyOut(picture);
    return picture;
}

}  // namespace galewarden
