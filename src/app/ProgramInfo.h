#pragma once

#include <chrono>
#include <string>

namespace galewarden {

// What the program knows about itself from its start.
struct ProgramInfo {
    std::string versionText;  // "1.0.9.4"
    std::string titleText;    // "Galewarden 1.0.9.4", the tray tooltip without warnings
    std::chrono::steady_clock::time_point started;

    static ProgramInfo current();
    // Milliseconds since the start, for the error report.
    long long runMilliseconds() const;
};

}  // namespace galewarden
