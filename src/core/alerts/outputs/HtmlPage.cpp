#include "core/alerts/outputs/HtmlPage.h"

#include <array>
#include <cstdio>
#include <optional>
#include <utility>

#include "core/config/ConfigStore.h"
#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"
#include "core/text/Gb18030.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

using Replacement = std::pair<std::string_view, std::string_view>;

constexpr std::size_t kRuleLength = 5;  // "-----" becomes a horizontal rule
constexpr std::string_view kContentOpen = "var Content = \"";
constexpr std::string_view kContentClose = "\";";
constexpr std::size_t kContentStatementLength = kContentOpen.size() + kContentClose.size();

// The lead byte of the UTF-8 line and paragraph separators is special too.
constexpr std::array<bool, 256> kDetailsSpecial = [] {
    std::array<bool, 256> special{};
    for (const unsigned char c : std::string_view("\\\"&><\r\n*-\xE2")) {
        special[c] = true;
    }
    return special;
}();

bool isDetailsSpecial(char c) {
    return kDetailsSpecial[static_cast<unsigned char>(c)];
}

// U+2028 and U+2029 end a string literal in older JavaScript engines.
constexpr std::array<Replacement, 2> kUtf8LineSeparators{{
    {"\xE2\x80\xA8", "\\u2028"},
    {"\xE2\x80\xA9", "\\u2029"},
}};

// At `at`, a separator's escape or the byte as it is; returns where the walk goes on.
std::size_t appendLineSeparator(std::string& escaped, std::string_view utf8, std::size_t at) {
    for (const auto& [found, replacement] : kUtf8LineSeparators) {
        if (utf8.substr(at).starts_with(found)) {
            escaped += replacement;
            return at + found.size();
        }
    }
    escaped += utf8[at];
    return at + 1;
}

// One walk over the details text in UTF-8 (where no byte of a multi-byte character is
// ASCII), appending to `escaped` with the effect of replacing in turn: backslashes (first, so
// that the escapes added later stay single), quotes, "&", ">", "<", every kind of line break
// (a raw one would end the string literal), "-----", "*/" (which would end the marker comment
// on the next write), and the line and paragraph separators.
void appendEscapedDetails(std::string& escaped, std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t plain = at;
        while (at < utf8.size() && !isDetailsSpecial(utf8[at])) {
            ++at;
        }
        escaped.append(utf8.substr(plain, at - plain));
        if (at == utf8.size()) {
            break;
        }
        switch (utf8[at++]) {
            case '\\':
                escaped += "\\\\";
                break;
            case '"':
                escaped += "\\\"";
                break;
            case '&':
                escaped += "&amp;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '\r':
                at += at < utf8.size() && utf8[at] == '\n' ? 1 : 0;
                escaped += "<br>";
                break;
            case '\n':
                escaped += "<br>";
                break;
            case '*':
                escaped += '*';
                if (at < utf8.size() && utf8[at] == '/') {
                    escaped += "\\/";
                    ++at;
                }
                break;
            case '\xE2':
                at = appendLineSeparator(escaped, utf8, at - 1);
                break;
            default: {  // '-'
                std::size_t run = 1;
                while (at < utf8.size() && utf8[at] == '-') {
                    ++run, ++at;
                }
                for (; run >= kRuleLength; run -= kRuleLength) {
                    escaped += "<hr>";
                }
                escaped.append(run, '-');
            }
        }
    }
}

// The page is UTF-8; a plain byte replacement is exact there.
std::string replaceBytes(std::string text, std::string_view found, std::string_view replacement) {
    for (auto at = text.find(found); at != std::string::npos;
         at = text.find(found, at + replacement.size())) {
        text.replace(at, found.size(), replacement);
    }
    return text;
}

std::string withEscapedLineSeparators(std::string utf8) {
    for (const auto& [found, replacement] : kUtf8LineSeparators) {
        utf8 = replaceBytes(std::move(utf8), found, replacement);
    }
    return utf8;
}

std::string pageTextFrom(std::string_view gbText) {
    return withEscapedLineSeparators(utf8FromGb(gbText));
}

// Where the text between a section's markers begins and ends.
std::optional<std::pair<std::size_t, std::size_t>> sectionBounds(std::string_view page,
                                                                 std::string_view name) {
    const std::string start = "/* " + std::string(name) + " Start */";
    const std::string end = "/* " + std::string(name) + " End */";
    const auto startAt = page.find(start);
    if (startAt == std::string::npos) {
        return std::nullopt;
    }
    const auto endAt = page.find(end, startAt);
    if (endAt == std::string::npos) {
        return std::nullopt;
    }
    return std::pair{startAt + start.size(), endAt};
}

void replaceSection(std::string& page, std::string_view name, std::string_view text) {
    if (const auto bounds = sectionBounds(page, name)) {
        page.replace(bounds->first, bounds->second - bounds->first, text);
    }
}

// The details run to megabytes: escaped straight into the rewritten page, not through copies.
void replaceContent(std::string& page, std::string_view detailsUtf8) {
    const auto bounds = sectionBounds(page, "Content");
    if (!bounds) {
        return;
    }
    const auto [from, to] = *bounds;
    std::string rewritten;
    rewritten.reserve(page.size() - (to - from) + detailsUtf8.size() + detailsUtf8.size() / 8 +
                      kContentStatementLength);
    rewritten.append(page, 0, from);
    rewritten += kContentOpen;
    appendEscapedDetails(rewritten, detailsUtf8);
    rewritten += kContentClose;
    rewritten.append(page, to);
    page = std::move(rewritten);
}

std::string escapedByte(char c, char previous) {
    switch (c) {
        case '\\':
            return "\\\\";
        case '"':
            return "\\\"";
        case '\r':
            return "\\r";
        case '\n':
            return "\\n";
        case '/':
            return previous == '<' || previous == '*' ? "\\/" : "/";
        case '!':
            return previous == '<' ? "\\!" : "!";
        default:
            break;
    }
    if (static_cast<unsigned char>(c) < 0x20) {
        char code[8];
        std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
        return code;
    }
    return std::string{c};
}

std::string escapedCharacter(std::string_view character) {
    static const std::string lineSeparator = gbFromUtf8("\u2028");
    static const std::string paragraphSeparator = gbFromUtf8("\u2029");
    if (character == lineSeparator) {
        return "\\u2028";
    }
    if (character == paragraphSeparator) {
        return "\\u2029";
    }
    return std::string(character);
}

}  // namespace

bool writeHtmlPage(std::string_view path, const HtmlSections& sections) {
    std::string page;
    if (readFile(path, page) == FileState::Unreadable) {
        return false;  // rewriting from an empty buffer would wipe the user's page
    }
    if (sections.alertList) {
        replaceSection(page, "Alert", pageTextFrom(*sections.alertList));
    }
    if (sections.stage) {
        replaceSection(page, "Stage", "var Stage = " + std::to_string(*sections.stage) + ";");
    }
    if (sections.details) {
        replaceContent(page, utf8FromGb(*sections.details));
    }
    // Written even when nothing changed: a reader may watch the page's modification time.
    return replaceFile(path, page);
}

bool writeHtmlStage(const ConfigStore& store, int stage) {
    const std::string path = store.read(keys::kHtmlLocation);
    if (path.empty() || !store.readFlag(keys::kHtmlStart)) {
        return false;
    }
    return writeHtmlPage(path, {.stage = stage});
}

std::string escapeJavaScriptString(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    char previous = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = charLengthAt(text, at);
        if (length == 1) {
            escaped += escapedByte(text[at], previous);
            previous = text[at];
        } else {
            escaped += escapedCharacter(text.substr(at, length));
            previous = 0;
        }
        at += length;
    }
    return escaped;
}

}  // namespace galewarden
