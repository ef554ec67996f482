#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace galewarden {

// The program's GB18030 texts as Qt's, and back.
QString toQString(std::string_view gb);
std::string fromQString(const QString& text);

// A text of at most `maxUtf8Bytes` bytes in UTF-8, cut at a whole character, for fields with a
// fixed size (tooltips, balloons).
QString fittedTo(const QString& text, int maxUtf8Bytes);

}  // namespace galewarden
