#pragma once

#include <string>

namespace galewarden {

// The district list that comes with the program (Districts.json, UTF-8), in the shape of the
// district list service's answer ({"areas":[{"name","province"}]}), for when that service
// cannot be reached. The user's copy is read first, then the program's; empty when none is
// found.
std::string readBundledDistrictList();

}  // namespace galewarden
