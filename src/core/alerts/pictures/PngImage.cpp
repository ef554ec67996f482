#include "core/alerts/pictures/PngImage.h"

#include <png.h>

#include <algorithm>
#include <memory>

namespace galewarden {
namespace {

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

struct MemoryReader {
    std::string_view bytes;
    std::size_t at = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->bytes.size() - reader->at) {
        png_error(png, "truncated");
    }
    std::copy_n(reader->bytes.data() + reader->at, count, reinterpret_cast<char*>(out));
    reader->at += count;
}

// A broken picture is an ordinary answer of a server: no message, the decode just fails.
[[noreturn]] void failQuietly(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

bool isPng(std::string_view bytes) {
    return bytes.size() >= 8 &&
           png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) == 0;
}

// What a shrinking decode works on, on the heap so that a jump back from libpng's error
// handler finds it as it was.
struct ShrinkState {
    MemoryReader reader;
    PictureSize target;
    std::optional<std::uint32_t> transparentRgb;
    std::vector<png_byte> row;
    std::vector<std::uint32_t> sums;    // premultiplied B, G, R, A per target pixel
    std::vector<std::uint32_t> counts;  // picture pixels per target pixel
    std::vector<std::uint32_t> result;
    bool decoded = false;
};

void accumulateRow(ShrinkState& state, int sourceWidth, int targetRow) {
    const int width = state.target.width;
    for (int x = 0; x < sourceWidth; ++x) {
        const png_byte* pixel = &state.row[static_cast<std::size_t>(x) * 4];
        std::uint32_t alpha = pixel[3];
        const std::uint32_t rgb =
            std::uint32_t{pixel[0]} << 16 | std::uint32_t{pixel[1]} << 8 | pixel[2];
        if (alpha == 255 && state.transparentRgb && rgb == *state.transparentRgb) {
            alpha = 0;
        }
        const auto target = static_cast<std::size_t>(targetRow) * width +
                            static_cast<std::size_t>(std::uint64_t(x) * width / sourceWidth);
        std::uint32_t* sum = &state.sums[target * 4];
        sum[0] += pixel[2] * alpha / 255;
        sum[1] += pixel[1] * alpha / 255;
        sum[2] += pixel[0] * alpha / 255;
        sum[3] += alpha;
        ++state.counts[target];
    }
}

// Only plain values here: libpng's errors jump back to the caller past this frame.
void shrinkRows(png_structp png, png_infop info, ShrinkState& state) {
    png_set_read_fn(png, &state.reader, readFromMemory);
    png_read_info(png, info);
    const auto width = static_cast<int>(png_get_image_width(png, info));
    const auto height = static_cast<int>(png_get_image_height(png, info));
    const PictureSize target = state.target;
    if (width <= 0 || height <= 0 || PictureSize{width, height}.pixels() > kMaxPicturePixels ||
        png_get_interlace_type(png, info) != PNG_INTERLACE_NONE || target.width <= 0 ||
        target.height <= 0 || target.width > width || target.height > height) {
        return;
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
        return;
    }
    state.row.resize(static_cast<std::size_t>(width) * 4);
    state.sums.assign(static_cast<std::size_t>(target.pixels()) * 4, 0);
    state.counts.assign(static_cast<std::size_t>(target.pixels()), 0);
    for (int y = 0; y < height; ++y) {
        png_read_row(png, state.row.data(), nullptr);
        accumulateRow(state, width, static_cast<int>(std::uint64_t(y) * target.height / height));
    }
    state.result.resize(static_cast<std::size_t>(target.pixels()));
    for (std::size_t i = 0; i < state.result.size(); ++i) {
        const std::uint32_t count = std::max<std::uint32_t>(state.counts[i], 1);
        const std::uint32_t* sum = &state.sums[i * 4];
        state.result[i] = (sum[3] / count) << 24 | (sum[2] / count) << 16 | (sum[1] / count) << 8 |
                          sum[0] / count;
    }
    state.decoded = true;
}

}  // namespace

std::optional<PictureSize> pngSize(std::string_view bytes) {
    if (!isPng(bytes)) {
        return std::nullopt;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    const PictureSize size{static_cast<int>(image.width), static_cast<int>(image.height)};
    png_image_free(&image);
    return size;
}

std::vector<std::uint32_t> decodePngShrunk(std::string_view bytes, PictureSize size,
                                           std::optional<std::uint32_t> transparentRgb) {
    if (!isPng(bytes)) {
        return {};
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failQuietly, ignoreWarning);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return {};
    }
    const auto state = std::make_unique<ShrinkState>();
    state->reader.bytes = bytes;
    state->target = size;
    state->transparentRgb = transparentRgb;
    if (setjmp(png_jmpbuf(png)) == 0) {
        shrinkRows(png, info, *state);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return state->decoded ? std::move(state->result) : std::vector<std::uint32_t>{};
}

bool isLoadablePicture(std::string_view bytes) {
    if (!isPng(bytes)) {
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
