#pragma once

#include <string>
#include <vector>

#include "core/history/HistoryWarning.h"

namespace galewarden {

// The warnings as CSV (RFC 4180, UTF-8, CRLF), a header line first; times are local,
// "2026-12-11 04:05:00".
std::string historyCsv(const std::vector<const HistoryWarning*>& warnings);

}  // namespace galewarden
