#include "core/text/TextSearch.h"

#include <algorithm>
#include <cstring>

#include "core/text/Gb18030.h"

namespace galewarden {
namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the needle with the text at a character boundary, character by character, so
// that only whole single-byte characters are case-folded.
bool matchesFoldedAt(std::string_view text, std::size_t at, std::string_view needle) {
    std::size_t i = 0;
    while (i < needle.size()) {
        if (at + i >= text.size()) {
            return false;
        }
        const std::size_t length = charLengthAt(text, at + i);
        if (length == 1) {
            if (foldAscii(text[at + i]) != foldAscii(needle[i])) {
                return false;
            }
        } else if (i + length > needle.size() ||
                   std::memcmp(text.data() + at + i, needle.data() + i, length) != 0) {
            return false;
        }
        i += length;
    }
    return true;
}

// Walks character boundaries from the start of the text and reports each match at or after
// `startOffset` to `onMatch`, which returns false to stop the walk.
std::size_t firstBoundaryFrom(std::string_view text, std::size_t startOffset) {
    std::size_t boundary = 0;
    while (boundary < startOffset && boundary < text.size()) {
        boundary += charLengthAt(text, boundary);
    }
    return boundary;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool hasAsciiLetter(std::string_view text) {
    for (char c : text) {
        if (isAsciiLetter(c)) {
            return true;
        }
    }
    return false;
}

bool equalFoldedBytes(std::string_view text, std::size_t at, std::string_view needle) {
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (foldAscii(text[at + i]) != foldAscii(needle[i])) {
            return false;
        }
    }
    return true;
}

// Byte-wise folded search: finds every character-wise folded match, and a few more that the
// caller rules out.
std::size_t findFoldedBytes(std::string_view text, std::string_view needle, std::size_t from) {
    const char lower = foldAscii(needle[0]);
    const char upper = isAsciiLetter(lower) ? static_cast<char>(lower - 'a' + 'A') : lower;
    while (from + needle.size() <= text.size()) {
        const std::size_t lowerAt = text.find(lower, from);
        const std::size_t upperAt = upper == lower ? lowerAt : text.find(upper, from);
        const std::size_t candidate = std::min(lowerAt, upperAt);
        if (candidate == std::string_view::npos || candidate + needle.size() > text.size()) {
            return std::string_view::npos;
        }
        if (equalFoldedBytes(text, candidate, needle)) {
            return candidate;
        }
        from = candidate + 1;
    }
    return std::string_view::npos;
}

// Walks the candidates of a fast byte search, keeping those that start on a character
// boundary, and reports each match at or after `startOffset` to `onMatch`, which returns
// false to stop the walk.
// Bytes that no multi-byte GB18030 character contains after its first byte: wherever they
// stand, a character begins.
bool alwaysStartsCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x30 || (byte >= 0x3A && byte <= 0x3F);
}

template <typename OnMatch>
void forEachMatch(std::string_view text, std::string_view needle, std::size_t startOffset,
                  Case mode, OnMatch onMatch) {
    const bool folded = mode == Case::Ignore && hasAsciiLetter(needle);
    const bool anchored = alwaysStartsCharacter(needle[0]);
    std::size_t boundary = firstBoundaryFrom(text, startOffset);
    while (boundary + needle.size() <= text.size()) {
        const std::size_t candidate =
            folded ? findFoldedBytes(text, needle, boundary) : text.find(needle, boundary);
        if (candidate == std::string_view::npos) {
            return;
        }
        if (anchored) {
            boundary = candidate;
        }
        while (boundary < candidate) {
            boundary += charLengthAt(text, boundary);
        }
        if (boundary != candidate) {
            continue;  // the candidate began inside a character
        }
        if ((!folded || matchesFoldedAt(text, boundary, needle)) && !onMatch(boundary)) {
            return;
        }
        boundary += charLengthAt(text, boundary);
    }
}

int toPosition(std::size_t offset) {
    return static_cast<int>(offset) + 1;
}

}  // namespace

int findText(std::string_view text, std::string_view needle, int from, Case mode) {
    const std::size_t startOffset = from > 1 ? static_cast<std::size_t>(from - 1) : 0;
    if (text.empty() || startOffset >= text.size()) {
        return -1;
    }
    int found = -1;
    if (needle.empty()) {
        const std::size_t boundary = firstBoundaryFrom(text, startOffset);
        return boundary < text.size() ? toPosition(boundary) : -1;
    }
    const bool exact = mode == Case::Sensitive || !hasAsciiLetter(needle);
    if (exact && text.find(needle, startOffset) == std::string_view::npos) {
        return -1;  // the usual answer, without walking characters
    }
    forEachMatch(text, needle, startOffset, mode, [&](std::size_t offset) {
        found = toPosition(offset);
        return false;
    });
    return found;
}

int findLastText(std::string_view text, std::string_view needle, Case mode) {
    if (text.empty()) {
        return -1;
    }
    if (needle.empty()) {
        return 1;
    }
    int found = -1;
    forEachMatch(text, needle, 0, mode, [&](std::size_t offset) {
        found = toPosition(offset);
        return true;
    });
    return found;
}

bool containsText(std::string_view text, std::string_view needle, Case mode) {
    return findText(text, needle, 1, mode) != -1;
}

std::vector<int> findAllText(std::string_view text, std::string_view needle, Case mode) {
    std::vector<int> positions;
    if (needle.empty()) {
        return positions;
    }
    std::size_t end = 0;
    forEachMatch(text, needle, 0, mode, [&](std::size_t offset) {
        if (offset >= end) {
            positions.push_back(toPosition(offset));
            end = offset + needle.size();
        }
        return true;
    });
    return positions;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to,
                       Case mode) {
    std::string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    for (int position : findAllText(text, from, mode)) {
        const auto offset = static_cast<std::size_t>(position - 1);
        result.append(text.substr(copied, offset - copied));
        result.append(to);
        copied = offset + from.size();
    }
    result.append(text.substr(copied));
    return result;
}

std::string toLowerAscii(std::string_view text) {
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); i += charLengthAt(result, i)) {
        result[i] = foldAscii(result[i]);
    }
    return result;
}

}  // namespace galewarden
