#pragma once

#include <string>

namespace galewarden {

// The directory of the program's files (configuration, Pack, Guidance.html): the value of
// GALEWARDEN_HOME when set, else the executable's directory. No trailing separator.
std::string programDirectory();

// The executable's full path as text; empty when it cannot be determined.
std::string executablePath();

}  // namespace galewarden
