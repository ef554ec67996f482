#include "ui/PlacementGeometry.h"

#include <algorithm>

namespace galewarden {
namespace {

constexpr int kBoxGap = 32;
// Far enough to be off any screen, near enough that nothing computed from it overflows.
constexpr long long kFarAway = 1'000'000;

int heldToScreenRange(long long value) {
    return static_cast<int>(std::clamp(value, -kFarAway, kFarAway));
}

// The value cut toward zero and held to 0..highest. A rectangle larger than the screen has a
// negative highest, which the edits then refuse.
int clampedCoordinate(double value, int highest) {
    const double cut = std::clamp(value, -double(kFarAway), double(kFarAway));
    const int coordinate = static_cast<int>(cut);
    if (coordinate < 0) {
        return 0;
    }
    return coordinate > highest ? highest : coordinate;
}

// A stored place beyond a smaller screen is brought back where it can be seen and dragged.
IconPlacement keptOnSurface(IconPlacement placement, int surfaceWidth, int surfaceHeight) {
    placement.top = std::min(placement.top, std::max(0, surfaceHeight - placement.height));
    placement.right = std::min(placement.right, std::max(0, surfaceWidth - placement.width));
    return placement;
}

PlacementEditTexts editTextsOf(const IconPlacement& placement) {
    return {std::to_string(placement.width), std::to_string(placement.height),
            std::to_string(placement.top), std::to_string(placement.right)};
}

}  // namespace

PlacementGeometry::PlacementGeometry(int surfaceWidth, int surfaceHeight,
                                     const IconPlacement& incoming, WindowRect box)
    : surfaceWidth_(surfaceWidth), surfaceHeight_(surfaceHeight), box_(box) {
    if (incoming.valid()) {
        working_ = keptOnSurface(incoming, surfaceWidth, surfaceHeight);
        initialEdits_ = editTextsOf(working_);
    } else {
        working_ = kFallback;
        initialEdits_ = {"", "", std::to_string(kFallback.top), std::to_string(kFallback.right)};
    }
}

WindowRect PlacementGeometry::placementRect() const {
    const long long left = static_cast<long long>(surfaceWidth_) - working_.right -
                           static_cast<long long>(working_.width);
    return {heldToScreenRange(left), heldToScreenRange(working_.top),
            heldToScreenRange(working_.width), heldToScreenRange(working_.height)};
}

bool PlacementGeometry::setField(PlacementField field, int value) {
    const bool isSize = field == PlacementField::width || field == PlacementField::height;
    if (value < (isSize ? 1 : 0)) {
        return false;
    }
    switch (field) {
        case PlacementField::width:
            working_.width = value;
            break;
        case PlacementField::height:
            working_.height = value;
            break;
        case PlacementField::top:
            working_.top = value;
            break;
        case PlacementField::right:
            working_.right = value;
            break;
    }
    return true;
}

void PlacementGeometry::pressLeft(int x, int y) {
    dragging_ = true;
    moveTo(x, y);
}

void PlacementGeometry::moveTo(int x, int y) {
    x = heldToScreenRange(x);
    y = heldToScreenRange(y);
    if (dragging_) {
        dragTo(x, y);
    }
    moveBoxBeside(x, y);
}

void PlacementGeometry::dragTo(int x, int y) {
    const double halfWidth = working_.width / 2.0;
    const double halfHeight = working_.height / 2.0;
    setField(PlacementField::top,
             clampedCoordinate(y - halfHeight, surfaceHeight_ - working_.height));
    setField(PlacementField::right,
             clampedCoordinate(surfaceWidth_ - x - halfWidth, surfaceWidth_ - working_.width));
}

void PlacementGeometry::moveBoxBeside(int x, int y) {
    const bool nearRight = x > surfaceWidth_ - box_.width - kBoxGap;
    const bool nearBottom = y > surfaceHeight_ - box_.height - kBoxGap;
    box_.left = nearRight ? x - box_.width - kBoxGap : x + kBoxGap;
    box_.top = nearBottom ? y - box_.height - kBoxGap : y + kBoxGap;
}

void PlacementGeometry::releaseLeft() {
    dragging_ = false;
    instruction_ = PickerInstruction::rightClickForMenu;
}

void PlacementGeometry::pressRight(int x, int y) {
    x = heldToScreenRange(x);
    y = heldToScreenRange(y);
    dragging_ = false;
    box_.left = static_cast<int>(x - box_.width / 2.0);
    box_.top = static_cast<int>(y - box_.height / 2.0);
    instruction_ = PickerInstruction::clickOkToSave;
}

}  // namespace galewarden
