#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/alerts/pictures/BuiltinPictures.h"
#include "core/alerts/pictures/PngImage.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB
};

Decoded decode(const std::string& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        return {};
    }
    image.format = PNG_FORMAT_BGRA;  // little-endian words of 0xAARRGGBB
    Decoded decoded{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    decoded.pixels.resize(std::size_t{image.width} * image.height);
    if (!png_image_finish_read(&image, nullptr, decoded.pixels.data(), 0, nullptr)) {
        return {};
    }
    return decoded;
}

// A picture whose header claims other dimensions, with a correct chunk checksum.
std::string withDimensions(std::string png, std::uint32_t width, std::uint32_t height) {
    const auto put = [&png](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            png[at + i] = static_cast<char>(value >> (24 - 8 * i));
        }
    };
    put(16, width);
    put(20, height);
    const auto* chunk = reinterpret_cast<const Bytef*>(png.data() + 12);
    put(29, static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), chunk, 17)));
    return png;
}

std::uint32_t dominantColour(const Decoded& picture) {
    std::map<std::uint32_t, int> counts;
    for (const std::uint32_t pixel : picture.pixels) {
        ++counts[pixel];
    }
    const std::uint32_t background = picture.pixels.front();
    std::uint32_t best = background;
    for (const auto& [colour, count] : counts) {
        if (colour != background && (best == background || count > counts[best])) {
            best = colour;
        }
    }
    return best;
}

int red(std::uint32_t c) {
    return (c >> 16) & 0xFF;
}
int green(std::uint32_t c) {
    return (c >> 8) & 0xFF;
}
int blue(std::uint32_t c) {
    return c & 0xFF;
}

bool isWhite(std::uint32_t c) {
    return red(c) > 220 && green(c) > 220 && blue(c) > 200;
}
bool isBlue(std::uint32_t c) {
    return blue(c) > 160 && blue(c) > red(c) + 100;
}
bool isYellow(std::uint32_t c) {
    return red(c) > 200 && green(c) > 170 && blue(c) < 80;
}
bool isOrange(std::uint32_t c) {
    return red(c) > 200 && green(c) > 90 && green(c) < 170 && blue(c) < 80;
}
bool isRed(std::uint32_t c) {
    return red(c) > 180 && green(c) < 80 && blue(c) < 80;
}
bool isNearBlack(std::uint32_t c) {
    return red(c) < 40 && green(c) < 40 && blue(c) < 40;
}

TEST(BuiltinPictures, EachColourIsA600By492EmblemOfThatColourOnNearBlack) {
    const std::vector<std::pair<int, std::function<bool(std::uint32_t)>>> cases{
        {1, isWhite}, {2, isBlue}, {3, isYellow}, {4, isOrange}, {5, isRed}};
    for (const auto& [number, looksRight] : cases) {
        SCOPED_TRACE(number);
        const Decoded picture = decode(builtinPicture(number));
        ASSERT_EQ(picture.width, kBuiltinPictureWidth);
        ASSERT_EQ(picture.height, kBuiltinPictureHeight);
        EXPECT_TRUE(isNearBlack(picture.pixels.front()));
        EXPECT_EQ(picture.pixels.front() >> 24, 0xFFu);
        EXPECT_TRUE(looksRight(dominantColour(picture)));
        // The emblem stands on a corner: its centre column is coloured near the top, where
        // the columns a third of the way in are still background.
        const auto at = [&picture](int x, int y) { return picture.pixels[y * picture.width + x]; };
        EXPECT_TRUE(looksRight(at(300, 38)));
        EXPECT_TRUE(isNearBlack(at(200, 38)));
        EXPECT_TRUE(isNearBlack(at(400, 38)));
    }
}

TEST(BuiltinPictures, UnknownColourHasFourArmsOfDifferentColours) {
    for (const int number : {0, 6, -1}) {
        EXPECT_EQ(&builtinPicture(number), &builtinPicture(0));
    }
    const Decoded picture = decode(builtinPicture(0));
    ASSERT_EQ(picture.width, kBuiltinPictureWidth);
    ASSERT_EQ(picture.height, kBuiltinPictureHeight);
    const auto at = [&picture](int x, int y) { return picture.pixels[y * picture.width + x]; };
    EXPECT_TRUE(isYellow(at(300, 100)));  // top
    EXPECT_TRUE(isBlue(at(470, 246)));    // right
    EXPECT_TRUE(isRed(at(300, 390)));     // bottom
    EXPECT_TRUE(isOrange(at(130, 246)));  // left
    EXPECT_TRUE(isNearBlack(at(5, 5)));
}

TEST(BuiltinPictures, EdgesAreAntiAliased) {
    // Along a row through the emblem's left edge some pixels lie between the two colours.
    const Decoded picture = decode(builtinPicture(2));
    const std::uint32_t background = picture.pixels.front();
    int between = 0;
    for (int x = 0; x < 300; ++x) {
        const std::uint32_t pixel = picture.pixels[100 * picture.width + x];
        between += pixel != background && !isBlue(pixel) && !isNearBlack(pixel);
    }
    EXPECT_GT(between, 0);
}

TEST(PngImage, EncodedPixelsDecodeUnchanged) {
    const std::vector<std::uint32_t> pixels{0xFF102030, 0x80FFFFFF, 0x00000000,
                                            0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    const std::string png = encodePng(pixels, 3, 2);
    ASSERT_TRUE(isLoadablePicture(png));
    const Decoded decoded = decode(png);
    EXPECT_EQ(decoded.width, 3);
    EXPECT_EQ(decoded.height, 2);
    EXPECT_EQ(decoded.pixels, pixels);
}

TEST(PngImage, EncodingRefusesSizesThatDoNotMatchThePixels) {
    const std::vector<std::uint32_t> four(4, 0xFF000000);
    EXPECT_EQ(encodePng(four, 2, 3), "");
    EXPECT_EQ(encodePng(four, 0, 4), "");
    EXPECT_EQ(encodePng(four, -2, -2), "");
    EXPECT_EQ(encodePng({}, 0, 0), "");
}

TEST(PngImage, OnlyCompletePicturesAreLoadable) {
    const std::string good = encodePng(std::vector<std::uint32_t>(64 * 64, 0xFF336699), 64, 64);
    std::string badChecksum = good;
    badChecksum[badChecksum.size() - 20] ^= 0x55;  // inside the image data
    const std::vector<std::pair<std::string, std::string>> cases{
        {"empty", ""},
        {"error page", "<html><body>404 Not Found</body></html>"},
        {"signature only", good.substr(0, 8)},
        {"cut in half", good.substr(0, good.size() / 2)},
        {"damaged data", badChecksum},
        {"zero width", withDimensions(good, 0, 64)},
        {"huge dimensions", withDimensions(good, 100000, 100000)},
    };
    EXPECT_TRUE(isLoadablePicture(good));
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(isLoadablePicture(bytes)) << what;
    }
}

// A picture shrunk while it is read: each result pixel is the premultiplied average of the
// picture's pixels that fall on it, and the key colour counts as transparent.
TEST(PngImage, ShrinkingAveragesTheBlocksOfThePicture) {
    const std::uint32_t red = 0xFFFF0000, blue = 0xFF0000FF, key = 0xFF000010;
    // 4 × 2 in two 2 × 2 blocks: red and blue mixed, then red and the key colour.
    const std::vector<std::uint32_t> pixels{red,  blue, red, key,  //
                                            blue, red,  key, red};
    const std::string png = encodePng(pixels, 4, 2);
    EXPECT_EQ(pngSize(png)->width, 4);
    EXPECT_EQ(pngSize(png)->height, 2);
    EXPECT_EQ(decodePngShrunk(png, {2, 1}), (std::vector<std::uint32_t>{0xFF7F007F, 0xFF7F0008}));
    EXPECT_EQ(decodePngShrunk(png, {2, 1}, 0x000010),
              (std::vector<std::uint32_t>{0xFF7F007F, 0x7F7F0000}));
    EXPECT_EQ(decodePngShrunk(png, {4, 2}, 0x000010)[3], 0x00000000u);
    EXPECT_EQ(decodePngShrunk(png, {1, 1}).size(), 1u);
}

TEST(PngImage, ShrinkingRefusesWhatItCannotReadOrMake) {
    const std::string good = encodePng(std::vector<std::uint32_t>(64 * 64, 0xFF336699), 64, 64);
    const std::vector<std::pair<std::string, std::string>> broken{
        {"empty", ""},
        {"error page", "<html><body>404 Not Found</body></html>"},
        {"cut in half", good.substr(0, good.size() / 2)},
        {"huge dimensions", withDimensions(good, 100000, 100000)},
        {"beyond the pixel limit", withDimensions(good, 5500, 5500)},
    };
    for (const auto& [what, bytes] : broken) {
        EXPECT_TRUE(decodePngShrunk(bytes, {8, 8}).empty()) << what;
    }
    EXPECT_EQ(pngSize(withDimensions(good, 5500, 5500))->pixels(), 5500u * 5500u);
    EXPECT_TRUE(decodePngShrunk(good, {65, 8}).empty());  // never grows
    EXPECT_TRUE(decodePngShrunk(good, {0, 8}).empty());
    EXPECT_EQ(decodePngShrunk(good, {8, 8}), std::vector<std::uint32_t>(64, 0xFF336699));
}

}  // namespace
}  // namespace galewarden
