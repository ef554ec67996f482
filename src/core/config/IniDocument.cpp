#include "core/config/IniDocument.h"

#include <utility>

#include "core/text/CodePage.h"
#include "core/text/Gb18030.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
// Editors that save UTF-8 may put one in front of the first line; it belongs to no line.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// "]" may be the second byte of a Chinese character, so it is looked for character-wise;
// "=" and ";" never are.
ParsedLine parseLine(std::string_view text) {
    const std::string_view line = trimBlanks(text);
    if (line.empty() || line.front() == ';') {
        return {};
    }
    if (line.front() == '[') {
        const int close = findText(line, "]");
        if (close < 0) {
            return {};
        }
        return {
            LineKind::Section, trimBlanks(line.substr(1, static_cast<std::size_t>(close) - 2)), {}};
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {LineKind::Key, trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1))};
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && toLowerAscii(a) == toLowerAscii(b);
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool isSectionName(std::string_view name) {
    return !name.empty() && !hasLineBreak(name) && !containsText(name, "]");
}

// A key must read back as a key line, not as a comment or a section header.
bool isKeyName(std::string_view name) {
    return !name.empty() && !hasLineBreak(name) && name.find('=') == std::string_view::npos &&
           name.front() != ';' && name.front() != '[';
}

std::string keyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string profileValue(std::string_view value) {
    value = unquoted(value);
    return std::string(value.substr(0, charBoundaryBefore(value, IniDocument::kMaxValueBytes)));
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes) {
    // An editor that saved the file as UTF-8 marked it so: read it as such, and write it back
    // as the program's own GB18030 like every other file.
    std::string converted;
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        converted = gbFromUtf8(bytes.substr(kUtf8ByteOrderMark.size()));
        bytes = converted;
    }
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto feed = bytes.find('\n', start);
        if (feed == std::string_view::npos) {
            lines_.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        const bool crlf = feed > start && bytes[feed - 1] == '\r';
        const std::size_t textEnd = crlf ? feed - 1 : feed;
        lines_.push_back({std::string(bytes.substr(start, textEnd - start)), crlf ? "\r\n" : "\n"});
        start = feed + 1;
    }
    newline_ = lines_.empty() || lines_.front().ending.empty() ? "\r\n" : lines_.front().ending;
}

std::optional<std::string> IniDocument::read(std::string_view section, std::string_view key) const {
    const auto span = findSection(trimBlanks(section));
    if (!span) {
        return std::nullopt;
    }
    const auto at = findKey(*span, trimBlanks(key));
    if (!at) {
        return std::nullopt;
    }
    return profileValue(parseLine(lines_[*at].text).value);
}

bool IniDocument::readsBackWhole(std::string_view value) {
    return unquoted(trimBlanks(value)).size() <= kMaxValueBytes;
}

bool IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view sectionName = trimBlanks(section);
    const std::string_view keyName = trimBlanks(key);
    if (!isSectionName(sectionName) || !isKeyName(keyName) || hasLineBreak(value) ||
        !readsBackWhole(value)) {
        return false;
    }
    const auto span = findSection(sectionName);
    if (!span) {
        appendLine("[" + std::string(sectionName) + "]");
        appendLine(keyLine(keyName, value));
        return true;
    }
    if (const auto at = findKey(*span, keyName)) {
        // Keeps the key as the file spells it.
        lines_[*at].text = keyLine(parseLine(lines_[*at].text).name, value);
        return true;
    }
    std::size_t lastKey = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (parseLine(lines_[i].text).kind == LineKind::Key) {
            lastKey = i;
        }
    }
    insertLine(lastKey + 1, keyLine(keyName, value));
    return true;
}

void IniDocument::remove(std::string_view section, std::string_view key) {
    const auto span = findSection(trimBlanks(section));
    const std::string_view keyName = trimBlanks(key);
    if (!span || keyName.empty()) {
        return;
    }
    for (std::size_t i = span->end; i-- > span->header + 1;) {
        const ParsedLine line = parseLine(lines_[i].text);
        if (line.kind == LineKind::Key && sameName(line.name, keyName)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

std::string IniDocument::bytes() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

std::optional<IniDocument::Span> IniDocument::findSection(std::string_view name) const {
    if (name.empty()) {
        return std::nullopt;
    }
    std::optional<Span> span;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = parseLine(lines_[i].text);
        if (line.kind != LineKind::Section) {
            continue;
        }
        if (span) {
            span->end = i;
            return span;
        }
        if (sameName(line.name, name)) {
            span = Span{i, lines_.size()};
        }
    }
    return span;
}

std::optional<std::size_t> IniDocument::findKey(const Span& span, std::string_view name) const {
    if (name.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const ParsedLine line = parseLine(lines_[i].text);
        if (line.kind == LineKind::Key && sameName(line.name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

// A last line without an ending gets one before anything follows it.
void IniDocument::insertLine(std::size_t at, std::string text) {
    if (at > 0 && lines_[at - 1].ending.empty()) {
        lines_[at - 1].ending = newline_;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  Line{std::move(text), newline_});
}

void IniDocument::appendLine(std::string text) {
    insertLine(lines_.size(), std::move(text));
}

}  // namespace galewarden
