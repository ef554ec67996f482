#include "core/text/TextPieces.h"

#include <algorithm>

#include "core/text/Gb18030.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

constexpr std::string_view kIdeographicSpaceBytes = "\xA1\xA1";

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
    return std::string(trimmedView(text));
}

std::string_view trimmedView(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size()) {
        if (text[first] == ' ') {
            ++first;
        } else if (text.substr(first, 2) == kIdeographicSpaceBytes) {
            first += 2;
        } else {
            break;
        }
    }
    std::size_t end = text.size();
    while (end > first) {
        if (text[end - 1] == ' ') {
            --end;  // a space byte is never part of a double-byte character
        } else if (end - first >= 2 && text.substr(end - 2, 2) == kIdeographicSpaceBytes &&
                   charBoundaryBefore(text, end - 2) == end - 2) {
            end -= 2;
        } else {
            break;
        }
    }
    return text.substr(first, end - first);
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
