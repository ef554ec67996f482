#pragma once

namespace galewarden {

// libcurl's process-wide set-up; runs once, before the first handle of any kind.
void initialiseCurl();

}  // namespace galewarden
