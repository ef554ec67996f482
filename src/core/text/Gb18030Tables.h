#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace galewarden::detail {

// Table-driven GB18030 ⇄ UTF-8, many times faster than iconv for the long texts of a pass.
// The tables (Gb18030TableData.h) follow the 2022 mapping, so that every Unicode scalar value
// and every GB18030 code that names a character convert one to one.
std::string gb18030ToUtf8(std::string_view gb);
std::string utf8ToGb18030(std::string_view utf8);

}  // namespace galewarden::detail
