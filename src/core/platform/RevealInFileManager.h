#pragma once

#include <string_view>

namespace galewarden {

// Opens the user's file manager on the folder of `path` (program text) with the file selected,
// or at least on the folder. False when no file manager could be asked. It may wait a few
// seconds for the file manager's answer: call it off the interface thread.
bool revealInFileManager(std::string_view path);

}  // namespace galewarden
