#include "app/ProgramInfo.h"

#include <galewarden/Version.h>

namespace galewarden {

ProgramInfo ProgramInfo::current() {
    return ProgramInfo{kVersionText, std::string("Galewarden ") + kVersionText,
                       std::chrono::steady_clock::now()};
}

long long ProgramInfo::runMilliseconds() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 started)
        .count();
}

}  // namespace galewarden
