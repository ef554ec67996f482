#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// What "&D.直接添加" makes of the typed text (GB18030): the pieces between single spaces, empty
// ones skipped; a piece with a character that cannot stand in a district list or a request
// ("," "?" "&" "=" ";" "/" "\" or a line break) is refused, the others taken in order.
struct DirectNames {
    std::vector<std::string> accepted;
    std::vector<std::string> refused;
};
DirectNames splitDirectNames(std::string_view typed);

// "“" + piece + "”存在非法字符，无法添加，已忽略。" (GB18030)
std::string directNameRefusal(std::string_view piece);

}  // namespace galewarden
