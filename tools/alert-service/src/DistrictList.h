#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace galewarden::alertservice {

// The district list answer {"areas":[{"name":…,"province":…},…]} in UTF-8: the entries of the
// list file that belong to the province, or every entry when no province is asked for. nullopt
// when the file is not a district list.
std::optional<std::string> districtListAnswer(const std::filesystem::path& listFile,
                                              std::string_view province);

}  // namespace galewarden::alertservice
