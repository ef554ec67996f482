#pragma once

#include <string_view>

namespace galewarden {

// [Sound] From: the lowest colour of a new warning that plays a sound, in the order the
// settings window lists the choices.
enum class SoundFrom { none, red, orange, yellow, blue };

// The choice a stored text names, in any case; anything unknown is none, so no sound starts by
// mistake.
SoundFrom soundFromText(std::string_view text);
// The stored text of a choice: "none", "red", "orange", "yellow" or "blue".
std::string_view soundFromName(SoundFrom from);

}  // namespace galewarden
