#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "ui/PlacementGeometry.h"

namespace galewarden {

void PrintTo(const WindowRect& rect, std::ostream* out) {
    *out << rect.left << "," << rect.top << " " << rect.width << "x" << rect.height;
}
void PrintTo(const IconPlacement& placement, std::ostream* out) {
    *out << placement.width << " " << placement.height << " " << placement.top << " "
         << placement.right;
}

namespace {

constexpr IconPlacement kDefault{100, 82, 60, 80};

PlacementGeometry fullHd(IconPlacement incoming = kDefault) {
    return PlacementGeometry(1920, 1080, incoming);
}

TEST(PlacementGeometry, TheRectangleIsCountedFromTheRightEdge) {
    EXPECT_EQ(fullHd().placementRect(), (WindowRect{1740, 60, 100, 82}));
    EXPECT_EQ(fullHd({200, 164, 0, 0}).placementRect(), (WindowRect{1720, 0, 200, 164}));
}

TEST(PlacementGeometry, AValidPlacementFillsTheFourEdits) {
    const PlacementGeometry geometry = fullHd({120, 98, 0, 7});
    EXPECT_EQ(geometry.working(), (IconPlacement{120, 98, 0, 7}));
    EXPECT_EQ(geometry.initialEdits(), (PlacementEditTexts{"120", "98", "0", "7"}));
    EXPECT_EQ(geometry.instruction(), PickerInstruction::chooseAPlace);
    EXPECT_EQ(geometry.box(), PlacementGeometry::kInitialBox);
}

TEST(PlacementGeometry, AnInvalidPlacementFallsBackAndShowsOnlyTheDistances) {
    const IconPlacement invalid[] = {
        {0, 82, 60, 80}, {100, 0, 60, 80}, {100, 82, -1, 80}, {100, 82, 60, -1}, {-1, -1, -1, -1}};
    for (const IconPlacement& incoming : invalid) {
        const PlacementGeometry geometry = fullHd(incoming);
        EXPECT_EQ(geometry.working(), kDefault);
        EXPECT_EQ(geometry.initialEdits(), (PlacementEditTexts{"", "", "60", "80"}));
        EXPECT_EQ(geometry.placementRect(), (WindowRect{1740, 60, 100, 82}));
    }
}

struct FieldCase {
    PlacementField field;
    int value;
    bool accepted;
    IconPlacement after;
};

TEST(PlacementGeometry, SizesBelowOneAndDistancesBelowZeroAreIgnored) {
    const FieldCase cases[] = {
        {PlacementField::width, 0, false, kDefault},
        {PlacementField::width, -5, false, kDefault},
        {PlacementField::width, 1, true, {1, 82, 60, 80}},
        {PlacementField::height, 0, false, kDefault},
        {PlacementField::height, 41, true, {100, 41, 60, 80}},
        {PlacementField::top, 0, true, {100, 82, 0, 80}},
        {PlacementField::top, -1, false, kDefault},
        {PlacementField::right, 0, true, {100, 82, 60, 0}},
        {PlacementField::right, -1, false, kDefault},
        {PlacementField::right, 3000, true, {100, 82, 60, 3000}},
    };
    for (const FieldCase& edit : cases) {
        PlacementGeometry geometry = fullHd();
        SCOPED_TRACE(static_cast<int>(edit.field));
        SCOPED_TRACE(edit.value);
        EXPECT_EQ(geometry.setField(edit.field, edit.value), edit.accepted);
        EXPECT_EQ(geometry.working(), edit.after);
    }
}

TEST(PlacementGeometry, TopZeroTouchesTheTopEdge) {
    PlacementGeometry geometry = fullHd();
    geometry.setField(PlacementField::top, 0);
    EXPECT_EQ(geometry.placementRect().top, 0);
}

struct DragCase {
    int x;
    int y;
    int top;
    int right;
};

// The centre follows the pointer; the rectangle stays on the screen.
TEST(PlacementGeometry, DraggingCentresTheRectangleOnThePointer) {
    const DragCase cases[] = {
        {200, 50, 9, 1670},    {960, 540, 499, 910}, {0, 0, 0, 1820},
        {-300, -300, 0, 1820}, {1920, 1080, 998, 0}, {5000, 5000, 998, 0},
        {51, 42, 1, 1819},     {1869, 1038, 997, 1}, {1870, 1039, 998, 0},
    };
    for (const DragCase& drag : cases) {
        PlacementGeometry geometry = fullHd();
        geometry.pressLeft(drag.x, drag.y);
        SCOPED_TRACE(std::to_string(drag.x) + "," + std::to_string(drag.y));
        EXPECT_TRUE(geometry.dragging());
        EXPECT_EQ(geometry.working(), (IconPlacement{100, 82, drag.top, drag.right}));
    }
}

TEST(PlacementGeometry, DraggingToTheTopLeftCornerTouchesTheLeftEdge) {
    PlacementGeometry geometry = fullHd();
    geometry.pressLeft(500, 500);
    geometry.moveTo(10, 10);
    EXPECT_EQ(geometry.placementRect(), (WindowRect{0, 0, 100, 82}));
}

TEST(PlacementGeometry, HalvesAreCutTowardZero) {
    PlacementGeometry geometry = fullHd({101, 83, 60, 80});
    geometry.pressLeft(200, 50);
    // 50 − 41.5 and 1920 − 200 − 50.5
    EXPECT_EQ(geometry.working(), (IconPlacement{101, 83, 8, 1669}));
}

TEST(PlacementGeometry, OnlyAHeldButtonMovesTheRectangle) {
    PlacementGeometry geometry = fullHd();
    geometry.moveTo(200, 50);
    EXPECT_EQ(geometry.working(), kDefault);
    geometry.pressLeft(200, 50);
    geometry.moveTo(400, 300);
    EXPECT_EQ(geometry.working(), (IconPlacement{100, 82, 259, 1470}));
    geometry.releaseLeft();
    EXPECT_FALSE(geometry.dragging());
    EXPECT_EQ(geometry.instruction(), PickerInstruction::rightClickForMenu);
    geometry.moveTo(900, 900);
    EXPECT_EQ(geometry.working(), (IconPlacement{100, 82, 259, 1470}));
}

// A rectangle larger than the screen cannot be dragged to a negative distance.
TEST(PlacementGeometry, ARectangleWiderThanTheScreenKeepsItsDistance) {
    PlacementGeometry geometry = fullHd();
    geometry.setField(PlacementField::width, 2000);
    geometry.pressLeft(900, 500);
    EXPECT_EQ(geometry.working().right, 80);
    EXPECT_EQ(geometry.working().top, 459);
}

struct BoxCase {
    int x;
    int y;
    int left;
    int top;
};

// The box (184 × 176) goes 32 pixels right of and below the pointer, unless it would leave
// the screen there; then to the left of or above it.
TEST(PlacementGeometry, TheControlBoxGoesBesideThePointer) {
    const BoxCase cases[] = {
        {100, 100, 132, 132},    {1704, 872, 1736, 904}, {1705, 873, 1489, 665},
        {1900, 1070, 1684, 862}, {1900, 100, 1684, 132}, {100, 1070, 132, 862},
    };
    for (const BoxCase& move : cases) {
        PlacementGeometry geometry = fullHd();
        geometry.moveTo(move.x, move.y);
        SCOPED_TRACE(std::to_string(move.x) + "," + std::to_string(move.y));
        EXPECT_EQ(geometry.box(), (WindowRect{move.left, move.top, 184, 176}));
    }
}

TEST(PlacementGeometry, TheBoxKeepsTheSizeTheWindowGaveIt) {
    PlacementGeometry geometry(1920, 1080, kDefault, {8, 8, 200, 190});
    geometry.moveTo(1900, 1070);
    EXPECT_EQ(geometry.box(), (WindowRect{1668, 848, 200, 190}));
}

TEST(PlacementGeometry, ARightClickCentresTheBoxUnderThePointer) {
    PlacementGeometry geometry = fullHd();
    geometry.pressLeft(200, 50);
    geometry.pressRight(500, 401);
    EXPECT_FALSE(geometry.dragging());
    EXPECT_EQ(geometry.box(), (WindowRect{408, 313, 184, 176}));
    EXPECT_EQ(geometry.instruction(), PickerInstruction::clickOkToSave);
    geometry.moveTo(700, 700);
    EXPECT_EQ(geometry.working(), (IconPlacement{100, 82, 9, 1670}));
}

TEST(PlacementGeometry, ARightClickNearTheCornerMayPutTheBoxPartlyOffTheScreen) {
    PlacementGeometry geometry = fullHd();
    geometry.pressRight(5, 5);
    EXPECT_EQ(geometry.box(), (WindowRect{-87, -83, 184, 176}));
}

struct SmallerScreenCase {
    IconPlacement stored;
    IconPlacement shown;
};

// A place stored on a larger screen is brought back onto this one, as far as it fits.
TEST(PlacementGeometry, APlaceBeyondASmallerScreenIsBroughtBack) {
    const SmallerScreenCase cases[] = {
        {{100, 82, 900, 1500}, {100, 82, 638, 1180}}, {{100, 82, 60, 80}, {100, 82, 60, 80}},
        {{100, 82, 638, 1180}, {100, 82, 638, 1180}}, {{2000, 82, 60, 80}, {2000, 82, 60, 0}},
        {{100, 900, 60, 80}, {100, 900, 0, 80}},
    };
    for (const SmallerScreenCase& screen : cases) {
        const PlacementGeometry geometry(1280, 720, screen.stored);
        EXPECT_EQ(geometry.working(), screen.shown);
        EXPECT_EQ(geometry.initialEdits(),
                  (PlacementEditTexts{
                      std::to_string(screen.shown.width), std::to_string(screen.shown.height),
                      std::to_string(screen.shown.top), std::to_string(screen.shown.right)}));
    }
    EXPECT_EQ(PlacementGeometry(1280, 720, {100, 82, 900, 1500}).placementRect(),
              (WindowRect{0, 638, 100, 82}));
}

TEST(PlacementGeometry, HugeValuesDoNotOverflow) {
    PlacementGeometry geometry = fullHd({INT_MAX, INT_MAX, INT_MAX, INT_MAX});
    const WindowRect rect = geometry.placementRect();
    EXPECT_LT(rect.left, 0);
    EXPECT_GT(rect.width, 0);
    geometry.pressLeft(INT_MAX, INT_MIN);
    geometry.moveTo(INT_MIN, INT_MAX);
    EXPECT_TRUE(geometry.working().valid());
    geometry.pressRight(INT_MIN, INT_MIN);
}

}  // namespace
}  // namespace galewarden
