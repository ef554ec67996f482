#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// The MD5 digest of the bytes as 32 lower-case hexadecimal digits.
std::string md5Hex(std::string_view bytes);

}  // namespace galewarden
