#pragma once

#include <string>

#include "core/config/IconPlacement.h"
#include "ui/WindowGeometry.h"

namespace galewarden {

enum class PlacementField { width, height, top, right };
enum class PickerInstruction { chooseAPlace, rightClickForMenu, clickOkToSave };

// What the four edits of the position picker show when it opens.
struct PlacementEditTexts {
    std::string width;
    std::string height;
    std::string top;
    std::string right;

    friend bool operator==(const PlacementEditTexts&, const PlacementEditTexts&) = default;
};

// The position picker without its window: the working placement on a surface of the screen's
// size, the placement rectangle, the drag that centres it on the pointer, and the control
// box that follows the pointer. Coordinates are surface pixels.
class PlacementGeometry {
  public:
    static constexpr WindowRect kInitialBox{8, 8, 184, 176};
    static constexpr IconPlacement kFallback{100, 82, 60, 80};

    // `box` is the control box as the window lays it out.
    PlacementGeometry(int surfaceWidth, int surfaceHeight, const IconPlacement& incoming,
                      WindowRect box = kInitialBox);

    const IconPlacement& working() const { return working_; }
    const PlacementEditTexts& initialEdits() const { return initialEdits_; }
    WindowRect placementRect() const;

    // An edit's value; sizes below 1 and distances below 0 are ignored (false).
    bool setField(PlacementField field, int value);

    void pressLeft(int x, int y);
    void moveTo(int x, int y);
    void releaseLeft();
    void pressRight(int x, int y);

    bool dragging() const { return dragging_; }
    const WindowRect& box() const { return box_; }
    PickerInstruction instruction() const { return instruction_; }

  private:
    void dragTo(int x, int y);
    void moveBoxBeside(int x, int y);

    int surfaceWidth_;
    int surfaceHeight_;
    IconPlacement working_;
    PlacementEditTexts initialEdits_;
    WindowRect box_;
    bool dragging_ = false;
    PickerInstruction instruction_ = PickerInstruction::chooseAPlace;
};

}  // namespace galewarden
