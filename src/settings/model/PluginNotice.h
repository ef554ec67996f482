#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// The notice shown when "刷新后执行DLL" is ticked (GB18030, lines broken with CR LF): how the
// library at `libraryPath` is called, "（文件不存在）" after the path when it is missing, and
// a line on the text encoding where the library receives its texts in UTF-8.
std::string pluginNoticeText(std::string_view libraryPath, bool libraryExists, bool utf8Texts);

}  // namespace galewarden
