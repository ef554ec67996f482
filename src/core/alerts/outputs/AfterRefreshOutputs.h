#pragma once

#include <string_view>
#include <vector>

#include "core/alerts/AlertRecord.h"

namespace galewarden {

class ConfigStore;
class RefreshPlugin;

// Saves the answer, as received after the leading JsonStartPos bytes, to [General] JsonLink
// when [General] SaveJson is on. A failed write is ignored.
void saveJson(const ConfigStore& store, std::string_view responseBytes);

// Orders the warnings by publication time, oldest first, with the selection the plug-in's
// users have always seen (equal times keep the first one found at each step).
void sortForPlugin(std::vector<KeptAlert>& alerts);

// Calls the plug-in once per kept warning, oldest first.
void callRefreshDll(RefreshPlugin& plugin, std::vector<KeptAlert> alerts);

}  // namespace galewarden
