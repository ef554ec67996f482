#include "text/TextPieces.h"

#include <algorithm>

#include "text/Gb18030.h"
#include "text/TextSearch.h"

namespace galewarden {
namespace {

constexpr std::string_view kIdeographicSpace = "\xA1\xA1";

}  // namespace

std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (text.empty()) {
        return pieces;
    }
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    for (int position : findAllText(text, separator)) {
        const auto offset = static_cast<std::size_t>(position - 1);
        pieces.emplace_back(text.substr(start, offset - start));
        start = offset + separator.size();
    }
    if (start < text.size()) {
        pieces.emplace_back(text.substr(start));
    }
    return pieces;
}

std::string joinText(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string result;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            result.append(separator);
        }
        result.append(pieces[i]);
    }
    return result;
}

std::string trimText(std::string_view text) {
    std::size_t first = text.size();
    std::size_t last = 0;  // one past the last character that is not a space
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = charLengthAt(text, i);
        const std::string_view character = text.substr(i, length);
        if (character != " " && character != kIdeographicSpace) {
            first = std::min(first, i);
            last = i + length;
        }
        i += length;
    }
    return first < last ? std::string(text.substr(first, last - first)) : std::string();
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size() || text.substr(text.size() - suffix.size()) != suffix) {
        return false;
    }
    // The suffix must start on a character boundary, not inside a double-byte character.
    const std::size_t start = text.size() - suffix.size();
    return charBoundaryBefore(text, start) == start;
}

}  // namespace galewarden
