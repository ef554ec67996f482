#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// "GB18030", "UTF-8" and "JAVA" (ASCII with every other character written as \uXXXX per
// UTF-16 code unit).
enum class Encoding { Gb18030, Utf8, Java };

// Converts bytes between the encodings. A byte sequence that is not valid in the source
// encoding becomes "?"; conversion never fails as a whole.
std::string convertText(std::string_view bytes, Encoding from, Encoding to);

std::string gbFromUtf8(std::string_view utf8);
std::string utf8FromGb(std::string_view gb);

}  // namespace galewarden
