#pragma once

#include <string>
#include <vector>

#include "core/alerts/classify/WarningSelection.h"
#include "core/alerts/source/JsonRules.h"

namespace galewarden {

class ConfigStore;

// The word lists the classification works with, as read for one pass (GB18030).
struct ClassifierWords {
    std::vector<std::string> senderWords;
    std::vector<std::string> keywords;
    std::vector<std::string> clearWords;
    std::vector<std::string> skipWords;
    std::vector<std::string> changeFrom;
    std::vector<std::string> changeTo;
};

// The configuration of one refresh pass, read afresh at its start.
struct PassConfiguration {
    bool animate = false;
    bool htmlOn = false;
    std::string htmlPath;
    bool pluginOn = false;
    bool useVendor = true;
    int refreshSeconds = 120;
    int retrySeconds = 60;
    JsonRules rules;
    ListOrder listOrder = ListOrder::newestFirst;  // [KVXSource] o
    ClassifierWords words;
    std::string districtsText;
    std::vector<std::string> districts;
};

PassConfiguration readPassConfiguration(const ConfigStore& store);

// Parses the [Source] Change list into parallel from/to lists.
void parseChangeList(std::string_view changeList, std::vector<std::string>& from,
                     std::vector<std::string>& to);

}  // namespace galewarden
