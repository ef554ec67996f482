#pragma once

namespace galewarden {

class ConfigStore;

// The icon window's size and place as [General] Width, Height, Top and Right hold them, in
// pixels; exchanged between the settings window or the wizard and the position picker.
struct IconPlacement {
    int width = 100;
    int height = 82;
    int top = 60;
    int right = 80;

    // What a caller accepts back from the picker.
    bool valid() const { return width >= 1 && height >= 1 && top >= 0 && right >= 0; }
    friend bool operator==(const IconPlacement&, const IconPlacement&) = default;
};

// Stores where the user moved the icon: its Top and Right; whether both were written.
bool storeIconPosition(ConfigStore& store, int top, int right);

}  // namespace galewarden
