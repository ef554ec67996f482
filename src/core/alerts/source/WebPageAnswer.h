#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace galewarden {

// Whether an answer that was to be data is a web page instead (a firewall's check, a login or
// error page), and if so its title (GB18030, possibly empty).
std::optional<std::string> webPageTitle(std::string_view answerUtf8);

}  // namespace galewarden
