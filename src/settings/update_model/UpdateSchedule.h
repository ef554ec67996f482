#pragma once

#include <chrono>

namespace galewarden {

// The wait before the next automatic check after `failures` failed ones in a row: half a
// minute more for each failure, then hourly from the eighth on.
std::chrono::milliseconds retryDelay(int failures);

}  // namespace galewarden
