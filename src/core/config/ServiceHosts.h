#pragma once

#include <string>

namespace galewarden {

// The vendor's alert service, "http://host:81" (GALEWARDEN_ALERT_SERVICE overrides it), and
// its web host, "https://host" (GALEWARDEN_WEB_HOST overrides it). No trailing slash.
std::string alertServiceBase();
std::string webHostBase();

}  // namespace galewarden
