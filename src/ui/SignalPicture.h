#pragma once

#include <QImage>
#include <QSize>
#include <optional>
#include <string>

namespace galewarden {

struct DisplayEntry;

// A PNG decoded at `size` (device pixels), stretched to it. A large picture is shrunk while it
// is read, so it never lies in memory whole; one beyond kMaxPicturePixels, or one that does
// not decode, gives a null image. Opaque pixels of `transparent` become transparent.
QImage pictureAtSize(const std::string& png, QSize size, std::optional<QRgb> transparent = {});

// The largest size of the PNG's proportions within `box`; `box` itself when the bytes are no
// PNG.
QSize fittedSize(const std::string& png, QSize box);

// The picture an entry shows at `size`: its PNG, or the built-in picture of its colour when
// the PNG is missing, too large or does not decode. Pixels in the key colour RGB(0, 0, 16) are
// made transparent.
QImage signalPicture(const DisplayEntry& entry, QSize size);

}  // namespace galewarden
