#pragma once

#include <string>
#include <vector>

#include "core/alerts/AlertRecord.h"
#include "core/alerts/DisplaySnapshot.h"
#include "core/config/SoundFrom.h"

namespace galewarden {

// What a processed pass hands to the windows at its end, finished: the view only applies it.
struct RefreshResult {
    bool anyKept = false;
    int highestColour = 0;  // 1 白 … 5 红; 0 when no kept warning has a colour
    int tornadoCount = 0;
    std::string detailsText;     // "未获取到预警信息。" when nothing was kept
    std::string alertList;       // the closed alert list statement of the HTML page
    int rotationIntervalMs = 0;  // [General] Interval × 1000
    bool animate = false;        // [General] Animate: pictures change with a fade
    // The balloon it would show when the details text changed; empty title: no balloon.
    std::string balloonTitle;
    std::string balloonBody;
    // [Sound] From, and the highest colour among the warnings the previous processed pass did
    // not keep: whether the change of the details text plays the warning sound.
    SoundFrom soundFrom = SoundFrom::none;
    int newColour = 0;
    SharedDisplay display;  // never null
    std::vector<KeptAlert> kept;
};

}  // namespace galewarden
