#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/json/JsonPath.h"

namespace galewarden::json {

// The target as JavaScript's String() writes it, in UTF-8: strings themselves, numbers as
// jsonNumberText gives them, "true"/"false", arrays joined with "," (nested arrays flattened,
// null elements empty), objects "[object Object]"; empty for null and for nothing.
std::string javaScriptText(const JsonTree& tree, const PathTarget& target);

// The text of a string target as it stands in the tree, which javaScriptText would copy;
// nothing for every other target.
std::optional<std::string_view> stringText(const JsonTree& tree, const PathTarget& target);

}  // namespace galewarden::json
