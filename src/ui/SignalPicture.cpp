#include "ui/SignalPicture.h"

#include <climits>

#include "core/alerts/DisplaySnapshot.h"
#include "core/alerts/classify/SignalColour.h"
#include "core/alerts/pictures/BuiltinPictures.h"
#include "core/alerts/pictures/PngImage.h"

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

void keyOut(QImage& image, QRgb key) {
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] == key) {
                row[x] = 0;
            }
        }
    }
}

QImage shrunk(const std::string& png, QSize size, std::optional<QRgb> transparent) {
    const std::optional<std::uint32_t> key =
        transparent ? std::optional<std::uint32_t>(*transparent & 0xFFFFFFu) : std::nullopt;
    const std::vector<std::uint32_t> pixels =
        decodePngShrunk(png, {size.width(), size.height()}, key);
    if (pixels.empty()) {
        return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(y) * size.width(), size.width(),
                    reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return image;
}

// Small pictures, and those the row-by-row reader does not take (interlaced ones), whole.
QImage scaledWhole(const std::string& png, QSize size, std::optional<QRgb> transparent) {
    QImage image = decoded(png);
    if (image.isNull()) {
        return {};
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (transparent) {
        keyOut(image, *transparent);
    }
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

QImage pictureAtSize(const std::string& png, QSize size, std::optional<QRgb> transparent) {
    const std::optional<PictureSize> source = pngSize(png);
    if (!source || source->pixels() == 0 || source->pixels() > kMaxPicturePixels ||
        size.isEmpty()) {
        return {};
    }
    if (source->width >= size.width() && source->height >= size.height()) {
        if (QImage image = shrunk(png, size, transparent); !image.isNull()) {
            return image;
        }
    }
    return scaledWhole(png, size, transparent);
}

QSize fittedSize(const std::string& png, QSize box) {
    const std::optional<PictureSize> source = pngSize(png);
    if (!source || source->width <= 0 || source->height <= 0) {
        return box;
    }
    return QSize(source->width, source->height).scaled(box, Qt::KeepAspectRatio);
}

QImage signalPicture(const DisplayEntry& entry, QSize size) {
    QImage picture = pictureAtSize(entry.picture, size, kKeyColour);
    if (picture.isNull()) {
        picture = pictureAtSize(builtinPicture(colourLevel(colourCharacterOf(entry.signalName))),
                                size, kKeyColour);
    }
    return picture;
}

}  // namespace galewarden
