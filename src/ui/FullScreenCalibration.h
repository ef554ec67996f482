#pragma once

#include <optional>

#include "ui/FullScreenRule.h"

class QWidget;

namespace galewarden {

// The "校准" button: after the user confirmed that every visible full-screen window is
// closed, the number of screen-sized windows there are all the same, for [Screen] Basic.
// Nothing when the user cancels.
std::optional<int> calibrateFullScreenBase(const CountFullScreenWindows& count,
                                           QWidget* owner = nullptr);

}  // namespace galewarden
