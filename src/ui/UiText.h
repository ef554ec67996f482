#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace galewarden {

// The program's GB18030 texts as Qt's, and back.
QString toQString(std::string_view gb);
std::string fromQString(const QString& text);

// Program text as a box or field shows it: the program breaks lines with CR LF, where Qt would
// show the CR.
QString shownText(std::string_view gb);

// A text of at most `maxUtf8Bytes` bytes in UTF-8, cut at a whole character, for fields with a
// fixed size (tooltips, balloons).
QString fittedTo(const QString& text, int maxUtf8Bytes);

}  // namespace galewarden
