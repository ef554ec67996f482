#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// Pictures beyond this many pixels are refused unread, so that a hostile header cannot make
// us allocate gigabytes.
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 24;

// A PNG that decodes completely, with a width above 0, of at most kMaxPicturePixels.
bool isLoadablePicture(std::string_view bytes);

struct PictureSize {
    int width = 0;
    int height = 0;
    std::uint64_t pixels() const { return std::uint64_t(width) * std::uint64_t(height); }
};

// The size a PNG's header gives; nullopt for bytes that are no PNG.
std::optional<PictureSize> pngSize(std::string_view bytes);

// Decodes a PNG straight to `size`, no larger than the picture in either direction, averaging
// the picture's pixels that fall on each pixel of the result. Rows are read one at a time, so
// a large picture never lies in memory whole. Opaque pixels of `transparentRgb` (0xRRGGBB)
// count as transparent. Premultiplied 0xAARRGGBB row by row; empty for a picture beyond
// kMaxPicturePixels, an interlaced or broken one, or a size it cannot shrink to.
std::vector<std::uint32_t> decodePngShrunk(std::string_view bytes, PictureSize size,
                                           std::optional<std::uint32_t> transparentRgb = {});

// PNG bytes of `width` × `height` pixels given row by row as 0xAARRGGBB (straight alpha);
// empty when the sizes do not match the pixels or encoding fails.
std::string encodePng(const std::vector<std::uint32_t>& rgba, int width, int height);

}  // namespace galewarden
