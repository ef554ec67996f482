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

}  // namespace

std::string encodeLabelText(std::string_view text) {
    const std::string escaped = replaceAll(text, "\\", "\\\\");
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
