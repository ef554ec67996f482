#include "core/alerts/pictures/PngImage.h"

#include <png.h>

namespace galewarden {
namespace {

constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 24;

std::vector<png_byte> rgbaBytes(const std::vector<std::uint32_t>& pixels) {
    std::vector<png_byte> bytes;
    bytes.reserve(pixels.size() * 4);
    for (const std::uint32_t pixel : pixels) {
        bytes.push_back(static_cast<png_byte>(pixel >> 16));
        bytes.push_back(static_cast<png_byte>(pixel >> 8));
        bytes.push_back(static_cast<png_byte>(pixel));
        bytes.push_back(static_cast<png_byte>(pixel >> 24));
    }
    return bytes;
}

}  // namespace

bool isLoadablePicture(std::string_view bytes) {
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8)) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        return false;
    }
    const std::uint64_t pixels = std::uint64_t{image.width} * image.height;
    if (pixels == 0 || pixels > kMaxPicturePixels) {
        png_image_free(&image);
        return false;
    }
    // Grey needs the least memory, and every row is still inflated and checked.
    image.format = PNG_FORMAT_GRAY;
    std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr) != 0;
}

std::string encodePng(const std::vector<std::uint32_t>& rgba, int width, int height) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return {};
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    const std::vector<png_byte> samples = rgbaBytes(rgba);
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, samples.data(), 0, nullptr)) {
        return {};
    }
    std::string png(size, '\0');
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, samples.data(), 0, nullptr)) {
        return {};
    }
    png.resize(size);
    return png;
}

}  // namespace galewarden
