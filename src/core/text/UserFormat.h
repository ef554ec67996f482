#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// A user's format with its text put in: every "%s" becomes `text` and "%%" becomes "%"; any
// other "%" stays as written. User texts never reach printf.
std::string formatWithText(std::string_view format, std::string_view text);

}  // namespace galewarden
