#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// Splits at every occurrence of the separator (at character boundaries). An empty piece
// between two adjacent separators is kept, a trailing empty piece is dropped, and an empty
// text gives no pieces.
std::vector<std::string> splitText(std::string_view text, std::string_view separator);

// Joins the pieces with the separator between them.
std::string joinText(const std::vector<std::string>& pieces, std::string_view separator);

// Removes ASCII spaces and the ideographic space U+3000 from both ends.
std::string trimText(std::string_view text);
// The same, as the part of the text that remains.
std::string_view trimmedView(std::string_view text);

bool startsWith(std::string_view text, std::string_view prefix);
// The suffix must begin on a character boundary of the text.
bool endsWith(std::string_view text, std::string_view suffix);

}  // namespace galewarden
