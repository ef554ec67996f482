#pragma once

#include <string>

namespace galewarden {

// The district list that comes with the program (Districts.json, UTF-8), in the shape of the
// district list service's answer ({"areas":[{"name","province"}]}), for when that service
// cannot be reached. Read from beside the executable, else from the program directory; empty
// when neither has it.
std::string readBundledDistrictList();

}  // namespace galewarden
