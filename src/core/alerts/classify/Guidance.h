#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// The defence guidance for a signal name such as 暴雨蓝, from Guidance.html in the program
// directory: the last cell of the first table row that names 暴雨蓝色预警信号, with each "<br>"
// turned into a CR LF. Empty when the file, the row or the cell is missing. Safe to call from
// several threads.
std::string lookupGuidance(std::string_view signalName);

bool guidanceFileExists();

}  // namespace galewarden
