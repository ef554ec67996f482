#include "cli/TerminalText.h"

#include <cstdio>

#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden::cli {
namespace {

bool isShownControl(unsigned char byte) {
    return (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F;
}

void appendEscape(std::string& text, const char* format, unsigned value) {
    char escape[8];
    std::snprintf(escape, sizeof escape, format, value);
    text += escape;
}

}  // namespace

std::string terminalText(std::string_view gb) {
    const std::string utf8 = replaceAll(utf8FromGb(gb), "\r\n", "\n");
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (isShownControl(byte)) {
            appendEscape(shown, "\\x%02X", byte);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {  // U+0080..U+009F
            appendEscape(shown, "\\u%04X", next);
            ++i;
        } else {
            shown += utf8[i];
        }
    }
    return shown;
}

}  // namespace galewarden::cli
