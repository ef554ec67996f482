#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace galewarden::detail {

// Table-driven GB18030 ⇄ UTF-8, many times faster than iconv for the long texts of a pass.
// The tables are taken from the system's own GB18030 converter once, then brought to the 2022
// mapping where the two differ (Gb18030Overrides.h), so that every Unicode scalar value and
// every GB18030 code that names a character convert one to one.
std::string gb18030ToUtf8(std::string_view gb);
std::string utf8ToGb18030(std::string_view utf8);

// Whether the tables came out whole; false when the system has no GB18030 converter.
bool gb18030TablesReady();

}  // namespace galewarden::detail
