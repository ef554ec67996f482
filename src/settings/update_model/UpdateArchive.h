#pragma once

#include <string_view>

namespace galewarden {

// The status code of a raw response header block ("HTTP/1.1 200 OK\r\n…"); 0 when the block
// holds no status line.
int responseStatus(std::string_view headers);

// Whether an answer is the archive itself and may be saved as Galewarden.zip: status 200, a
// body that begins with a ZIP file's first local header ("PK\3\4"), and as long as the
// Content-Length the server announced. An error page, an empty or a cut answer is not.
bool isArchiveAnswer(std::string_view headers, std::string_view body);

}  // namespace galewarden
