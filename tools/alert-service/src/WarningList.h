#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace galewarden::alertservice {

// The districts of the list request's "a" value: the names between the commas, empty ones
// dropped (an empty name would select every warning).
std::vector<std::string> requestedDistricts(std::string_view value);

// The vendor's list answer {"data":[…]} in UTF-8: the warnings of the data set file whose
// headline ("title") names one of the districts, newest first by their "time"; warnings of the
// same time keep the order of the file. nullopt when the file is not a data set.
std::optional<std::string> warningListAnswer(const std::filesystem::path& dataSetFile,
                                             const std::vector<std::string>& districts);

}  // namespace galewarden::alertservice
