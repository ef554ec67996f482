#include "core/config/ConfigStore.h"
#include "core/text/Gb18030.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

// What the character after a backslash stands for; empty when the pair is no escape.
std::string_view unescaped(char code) {
    switch (code) {
        case '\\':
            return "\\";
        case '~':
            return "\"";
        case 'n':
            return "\r\n";
        default:
            return {};
    }
}

// A text typed on Linux breaks lines with LF alone, which the file cannot hold: every line
// break is stored as the CR LF the escape stands for. CR and LF are never part of a Chinese
// character, so a walk over bytes is exact.
std::string withCrLfBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' || text[at] == '\n') {
            out += "\r\n";
            at += text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 1 : 0;
        } else {
            out += text[at];
        }
    }
    return out;
}

}  // namespace

std::string encodeLabelText(std::string_view text) {
    const std::string escaped = replaceAll(withCrLfBreaks(text), "\\", "\\\\");
    return replaceAll(replaceAll(escaped, "\"", "\\~"), "\r\n", "\\n");
}

// Walks whole characters, since "\" and "~" may also be the second byte of a Chinese
// character. A backslash that starts no escape is kept.
std::string decodeLabelText(std::string_view stored) {
    std::string text;
    std::size_t at = 0;
    while (at < stored.size()) {
        const std::size_t length = charLengthAt(stored, at);
        if (length == 1 && stored[at] == '\\' && at + 1 < stored.size()) {
            const std::string_view plain = unescaped(stored[at + 1]);
            if (!plain.empty()) {
                text += plain;
                at += 2;
                continue;
            }
        }
        text += stored.substr(at, length);
        at += length;
    }
    return text;
}

}  // namespace galewarden
