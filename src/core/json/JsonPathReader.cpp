#include "core/json/JsonPathReader.h"

#include <charconv>
#include <utility>

#include "core/text/AsciiCharacters.h"
#include "core/text/Utf8.h"

namespace galewarden::json {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool isNamePart(char c) {
    return isNameStart(c) || isAsciiDigit(c);
}

std::optional<unsigned> hexUnit(std::string_view text) {
    unsigned unit = 0;
    if (text.size() < 4 ||
        std::from_chars(text.data(), text.data() + 4, unit, 16).ptr != text.data() + 4) {
        return std::nullopt;
    }
    return unit;
}

// A \uXXXX escape (and the low half of a surrogate pair after it) at the start of `text`,
// which follows the backslash. Returns the characters consumed, 0 when malformed.
std::size_t appendUnicodeEscape(std::string& out, std::string_view text) {
    const std::optional<unsigned> unit = hexUnit(text.substr(1));
    if (!unit) {
        return 0;
    }
    const bool high = *unit >= 0xD800 && *unit <= 0xDBFF;
    const std::optional<unsigned> low =
        high && text.substr(5, 2) == "\\u" ? hexUnit(text.substr(7)) : std::nullopt;
    if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00));
        return 11;
    }
    appendUtf8(out, *unit);
    return 5;
}

char singleCharacterEscape(char c) {
    switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 'r':
            return '\r';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'v':
            return '\v';
        case '0':
            return '\0';
        default:
            return c;
    }
}

// The body of a quoted key with its escapes resolved; nullopt for a malformed \u escape.
std::optional<std::string> unescapeKey(std::string_view body) {
    std::string key;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\' || i + 1 == body.size()) {
            key.push_back(body[i]);
        } else if (body[i + 1] == 'u') {
            const std::size_t used = appendUnicodeEscape(key, body.substr(i + 1));
            if (used == 0) {
                return std::nullopt;
            }
            i += used;
        } else {
            key.push_back(singleCharacterEscape(body[++i]));
        }
    }
    return key;
}

}  // namespace

bool PathReader::atEnd() {
    skipSpaces();
    return pos_ == path_.size();
}

bool PathReader::take(char c) {
    skipSpaces();
    if (pos_ < path_.size() && path_[pos_] == c) {
        ++pos_;
        return true;
    }
    return false;
}

std::optional<std::string_view> PathReader::name() {
    skipSpaces();
    const std::size_t start = pos_;
    if (pos_ == path_.size() || !isNameStart(path_[pos_])) {
        return std::nullopt;
    }
    while (pos_ < path_.size() && isNamePart(path_[pos_]) &&
           (path_[pos_] != kIdeographicSpace[0] || !atIdeographicSpace())) {
        ++pos_;
    }
    return path_.substr(start, pos_ - start);
}

std::optional<std::string_view> PathReader::bracketKey(std::string& scratch) {
    skipSpaces();
    const bool quoted = pos_ < path_.size() && (path_[pos_] == '"' || path_[pos_] == '\'');
    const std::optional<std::string_view> key = quoted ? quotedKey(scratch) : index();
    if (!key || !take(']')) {
        return std::nullopt;
    }
    return key;
}

bool PathReader::atIdeographicSpace() const {
    return path_[pos_] == kIdeographicSpace[0] && path_.substr(pos_).starts_with(kIdeographicSpace);
}

void PathReader::skipSpaces() {
    while (pos_ < path_.size()) {
        if (isAsciiSpace(path_[pos_])) {
            ++pos_;
        } else if (path_[pos_] == kIdeographicSpace[0] && atIdeographicSpace()) {
            pos_ += kIdeographicSpace.size();
        } else {
            return;
        }
    }
}

// Decimal digits without a leading zero, as written in JavaScript source.
std::optional<std::string_view> PathReader::index() {
    const std::size_t start = pos_;
    while (pos_ < path_.size() && isAsciiDigit(path_[pos_])) {
        ++pos_;
    }
    const std::string_view digits = path_.substr(start, pos_ - start);
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) {
        return std::nullopt;
    }
    return digits;
}

std::optional<std::string_view> PathReader::quotedKey(std::string& scratch) {
    const char quote = path_[pos_++];
    const std::size_t start = pos_;
    bool escaped = false;
    while (pos_ < path_.size() && path_[pos_] != quote) {
        if (path_[pos_] == '\\') {
            escaped = true;
            ++pos_;
        }
        ++pos_;
    }
    if (pos_ >= path_.size()) {
        return std::nullopt;
    }
    const std::string_view body = path_.substr(start, pos_++ - start);
    if (!escaped) {
        return body;
    }
    std::optional<std::string> key = unescapeKey(body);
    if (!key) {
        return std::nullopt;
    }
    scratch = std::move(*key);
    return scratch;
}

}  // namespace galewarden::json
