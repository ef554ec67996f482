#pragma once

#include <string>

#include "core/json/JsonPath.h"

namespace galewarden::json {

// The target as JavaScript's String() writes it, in UTF-8: strings themselves, numbers as
// jsonNumberText gives them, "true"/"false", arrays joined with "," (nested arrays flattened,
// null elements empty), objects "[object Object]"; empty for null and for nothing.
std::string javaScriptText(const JsonTree& tree, const PathTarget& target);

}  // namespace galewarden::json
