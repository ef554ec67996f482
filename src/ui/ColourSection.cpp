#include "ui/ColourSection.h"

#include <algorithm>

#include "core/alerts/classify/SignalColour.h"
#include "core/config/ConfigStore.h"

namespace galewarden {
namespace {

constexpr ColourSection kBlueSection{keys::kBlueAlpha, keys::kBlueTop, keys::kBlueShow};
constexpr ColourSection kYellowSection{keys::kYellowAlpha, keys::kYellowTop, keys::kYellowShow};
constexpr ColourSection kOrangeSection{keys::kOrangeAlpha, keys::kOrangeTop, keys::kOrangeShow};
constexpr ColourSection kRedSection{keys::kRedAlpha, keys::kRedTop, keys::kRedShow};

}  // namespace

const ColourSection* colourSectionFor(int highestColour) {
    switch (highestColour) {
        case kWhite:
        case kBlue:
            return &kBlueSection;
        case kYellow:
            return &kYellowSection;
        case kOrange:
            return &kOrangeSection;
        case kRed:
            return &kRedSection;
        default:
            return nullptr;
    }
}

std::optional<ColourOptions> readColourOptions(const ConfigStore& store, int highestColour) {
    const ColourSection* section = colourSectionFor(highestColour);
    if (section == nullptr) {
        return std::nullopt;
    }
    return ColourOptions{std::clamp(store.readNumber(section->alpha), 0, 255),
                         store.readFlag(section->onTop), store.readFlag(section->show)};
}

}  // namespace galewarden
