#pragma once

#include <optional>
#include <string_view>

#include "core/config/ConfigKeys.h"

namespace galewarden {

// The floor that GALEWARDEN_MINIMUM_REFRESH (`setting`, when set) gives: a whole number of
// seconds from 1 below kMinimumRefreshSeconds, in a copy that is not installed, so that
// end-to-end tests of a build tree see the next pass within seconds. Anything else, and any
// setting in an installed program, keeps kMinimumRefreshSeconds.
int refreshMinimumFor(std::optional<std::string_view> setting, bool installed);

// refreshMinimumFor this process, decided once.
int minimumRefreshSeconds();

}  // namespace galewarden
