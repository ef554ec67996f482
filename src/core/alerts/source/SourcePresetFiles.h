#pragma once

#include <string_view>
#include <vector>

namespace galewarden {

// The preset files of resources/sources as they are (UTF-8), compiled in.
struct SourcePresetFile {
    std::string_view id;  // the file name without ".ini"
    std::string_view text;
};

const std::vector<SourcePresetFile>& sourcePresetFiles();

}  // namespace galewarden
