#pragma once

#include <string>
#include <string_view>

namespace galewarden::cli {

// Program text (GB18030) as the terminal should get it: UTF-8, "\r\n" as "\n", and every other
// control character (C0 but line feed and tab, DEL, C1) written as "\xNN" (C1 as "\u00NN"), so
// that an answer cannot retitle or clear the terminal or reach its clipboard.
std::string terminalText(std::string_view gb);

}  // namespace galewarden::cli
