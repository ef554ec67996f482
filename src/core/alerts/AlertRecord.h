#pragma once

#include <memory>
#include <string>

#include "core/alerts/source/DateTime.h"

namespace galewarden {

// One warning as read from the answer, completed for classification.
struct AlertRecord {
    int listIndex = 0;  // its 0-based place in the answer's list
    std::string id;     // 32 hexadecimal digits of its MD5 when the delivered id was longer
    std::string headline;
    std::string sender;       // the headline when the answer names no sender
    std::string description;  // as delivered; the classification cleans it
    std::string publishTime;  // "2024/09/01 08:05:00"
    DateTime publishDateTime;
};

// What a kept warning leaves behind after its pass: for the plug-in and for scripts.
struct KeptAlert {
    std::string id;
    std::string region;
    std::string signalName;
    int level = 0;  // 1 白 … 5 红, 0 for no colour
    std::string publishTime;
    DateTime publishDateTime;
    std::string title;
    std::string description;
    // What the history keeps besides.
    std::string headline;  // as the source gave it
    std::string name;      // 暴雨蓝色预警
    std::string sender;
    std::string district;  // the watched district the headline matched
    // Shared by the warnings of one signal: thousands of copies would cost the pass.
    std::shared_ptr<const std::string> guidance;
};

}  // namespace galewarden
