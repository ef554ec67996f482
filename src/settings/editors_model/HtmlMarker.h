#pragma once

#include <string>
#include <string_view>

namespace galewarden {

class ConfigStore;

// [HTML] Location: the page the warnings are written into (GB18030 path, empty by default).
std::string loadHtmlLocation(const ConfigStore& store);
// Writes it quoted; false, writing nothing, for a path with a line break, or when the write
// failed.
bool saveHtmlLocation(ConfigStore& store, std::string_view path);

}  // namespace galewarden
