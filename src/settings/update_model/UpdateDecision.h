#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "settings/update_model/UpdateTexts.h"
#include "settings/update_model/UpdateVersionFile.h"

namespace galewarden {

enum class CheckKind { automatic, userRequested };

// After this many automatic tries, or once a check has answered, the question is settled: the
// settings window then starts no check of its own.
inline constexpr int kSettledRetryCount = 3;

// Whether opening the settings window starts a check.
constexpr bool checksWhenSettingsOpen(bool autoCheck, int retryCount) {
    return autoCheck && retryCount < kSettledRetryCount;
}

// What one check found, and the state it found it in.
struct CheckFindings {
    CheckKind kind = CheckKind::automatic;
    std::optional<PublishedVersion> published;  // nothing: the check failed
    std::string runningVersion;
    std::string lastCheck;  // [CheckNew] LastCheck before this check
    int retryCount = 0;     // before this check
};

// What the program does with it.
struct CheckDecision {
    std::string versionLine;
    int retryCount = 0;
    // An automatic check that failed is tried again after this wait.
    std::optional<std::chrono::milliseconds> retryAfter;
    std::string lastCheck;  // written to [CheckNew] LastCheck, quoted
    std::optional<UpdateMessage> balloon;
    // A user-requested check that found a new version asks this with OK and Cancel.
    std::optional<UpdateMessage> offer;
};

CheckDecision decideCheck(const CheckFindings& findings, std::string_view archiveAddress);

}  // namespace galewarden
