#include "core/alerts/pictures/BuiltinPictureArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/alerts/pictures/PngImage.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

struct Colour {
    float red, green, blue;
};

struct Point {
    float x, y;
};

constexpr Colour kBackground{17, 19, 23};
// Marks on the emblem are cut-outs: they show the background.
constexpr Colour kInk = kBackground;
constexpr Colour kWhite{242, 242, 236};
constexpr Colour kBlue{30, 108, 214};
constexpr Colour kYellow{247, 206, 24};
constexpr Colour kOrange{245, 134, 26};
constexpr Colour kRed{220, 36, 36};
constexpr std::array<Colour, 5> kEmblemColours{kWhite, kBlue, kYellow, kOrange, kRed};

constexpr float kCentreX = kBuiltinPictureWidth / 2.0f;
constexpr float kCentreY = kBuiltinPictureHeight / 2.0f;
constexpr float kHalfSide = 162;  // corner to corner about 446 of the 492 rows
constexpr float kCornerRadius = 14;
constexpr float kOutlineInset = 26;
constexpr float kOutlineHalfWidth = 4.5f;
constexpr float kInvSqrt2 = 0.70710678f;

// How much of a pixel an edge at this signed distance (negative inside) covers.
float coverage(float distance) {
    return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

Colour mix(Colour under, Colour over, float amount) {
    return {under.red + (over.red - under.red) * amount,
            under.green + (over.green - under.green) * amount,
            under.blue + (over.blue - under.blue) * amount};
}

// A square with rounded corners standing on one corner, centred on the origin.
float diamondDistance(Point p, float halfSide, float radius) {
    const float qx = std::abs((p.x + p.y) * kInvSqrt2) - (halfSide - radius);
    const float qy = std::abs((p.y - p.x) * kInvSqrt2) - (halfSide - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// The exclamation mark: a bar narrowing downwards, then a dot.
float exclamationDistance(Point p) {
    constexpr float top = -82, bottom = 32, topRadius = 20, bottomRadius = 13;
    const float y = std::clamp(p.y, top, bottom);
    const float radius = topRadius + (bottomRadius - topRadius) * (y - top) / (bottom - top);
    const float bar = std::hypot(p.x, p.y - y) - radius;
    const float dot = std::hypot(p.x, p.y - 80) - 19;
    return std::min(bar, dot);
}

float markCoverage(Point p) {
    const float outline =
        std::abs(diamondDistance(p, kHalfSide - kOutlineInset, 8)) - kOutlineHalfWidth;
    return coverage(std::min(outline, exclamationDistance(p)));
}

// The unknown colour: the four arms, split along the diagonals, clockwise from the top.
Colour armColour(Point p) {
    const float aboveRising = coverage((p.y - p.x) * kInvSqrt2);
    const float aboveFalling = coverage((p.y + p.x) * kInvSqrt2);
    const auto weighted = [](Colour c, float w) -> Colour {
        return {c.red * w, c.green * w, c.blue * w};
    };
    const std::array<Colour, 4> parts{weighted(kYellow, aboveRising * aboveFalling),
                                      weighted(kBlue, aboveRising * (1 - aboveFalling)),
                                      weighted(kRed, (1 - aboveRising) * (1 - aboveFalling)),
                                      weighted(kOrange, (1 - aboveRising) * aboveFalling)};
    Colour sum{0, 0, 0};
    for (const Colour& part : parts) {
        sum = {sum.red + part.red, sum.green + part.green, sum.blue + part.blue};
    }
    return sum;
}

std::uint32_t packed(Colour c) {
    const auto channel = [](float value) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
    };
    return 0xFF000000u | channel(c.red) << 16 | channel(c.green) << 8 | channel(c.blue);
}

Colour pixelColour(Point p, int colourNumber) {
    const Colour emblem =
        colourNumber < 1 || colourNumber > 5 ? armColour(p) : kEmblemColours[colourNumber - 1];
    const Colour filled =
        mix(kBackground, emblem, coverage(diamondDistance(p, kHalfSide, kCornerRadius)));
    return mix(filled, kInk, markCoverage(p));
}

}  // namespace

std::string drawBuiltinPicture(int colourNumber) {
    std::vector<std::uint32_t> pixels;
    pixels.reserve(std::size_t{kBuiltinPictureWidth} * kBuiltinPictureHeight);
    for (int y = 0; y < kBuiltinPictureHeight; ++y) {
        for (int x = 0; x < kBuiltinPictureWidth; ++x) {
            const Point p{static_cast<float>(x) + 0.5f - kCentreX,
                          static_cast<float>(y) + 0.5f - kCentreY};
            pixels.push_back(packed(pixelColour(p, colourNumber)));
        }
    }
    return encodePng(pixels, kBuiltinPictureWidth, kBuiltinPictureHeight);
}

}  // namespace galewarden
