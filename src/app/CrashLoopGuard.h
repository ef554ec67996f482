#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace galewarden {

// A program restarted after a crash finds in this variable when that crash happened, on the
// clock of crashSteadyMilliseconds(); it takes the variable out of its environment at once.
inline constexpr char kRestartedAfterCrashVariable[] = "GALEWARDEN_RESTARTED_AFTER_CRASH";

// A restart that crashes again this soon is not restarted a second time.
inline constexpr std::int64_t kCrashLoopMilliseconds = 60'000;

// The moment from the variable's text: decimal digits only, else none.
std::optional<std::int64_t> crashMomentFromText(std::string_view text);

// What follows a crash at `crash`: a restart only after a completed first refresh, and not
// when the program was itself restarted after a crash less than a minute earlier.
enum class AfterCrash { restart, firstMonitoringFailed, crashedRepeatedly };
AfterCrash afterCrash(bool firstCycleDone, std::optional<std::int64_t> previousCrash,
                      std::int64_t crash);

// What the user is told when there is no restart (UTF-8); empty for a restart.
std::string_view afterCrashMessage(AfterCrash after);

}  // namespace galewarden
