#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text/CodePage.h"
#include "core/text/Utf8.h"

namespace {

using galewarden::convertText;
using galewarden::Encoding;
using galewarden::gbFromUtf8;
using galewarden::utf8FromGb;

constexpr auto npos = std::string_view::npos;

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
        } else if (!galewarden::decodeUtf8(text, i)) {
            return false;
        }
    }
    return true;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whatever the bytes, the UTF-8 is valid and survives GB18030; with no "?" in or out, every
// character had a code point, so the very bytes come back.
void checkAsGb18030(std::string_view gb) {
    const std::string utf8 = utf8FromGb(gb);
    require(isUtf8(utf8));
    const std::string again = gbFromUtf8(utf8);
    require(utf8FromGb(again) == utf8);
    require(gb.find('?') != npos || utf8.find('?') != npos || again == gb);
}

// Valid UTF-8 survives GB18030; anything else settles after one trip.
void checkAsUtf8(std::string_view utf8) {
    const std::string gb = gbFromUtf8(utf8);
    const std::string back = utf8FromGb(gb);
    require(isUtf8(back));
    require(!isUtf8(utf8) || back == utf8);
    require(gbFromUtf8(back) == gb);
}

// The JAVA form is ASCII and gives the text back, unless the text held a "\u" of its own.
void checkJava(std::string_view text) {
    const std::string java = convertText(text, Encoding::Utf8, Encoding::Java);
    require(isAscii(java));
    if (isUtf8(text) && text.find("\\u") == npos) {
        require(convertText(java, Encoding::Java, Encoding::Utf8) == text);
        require(convertText(java, Encoding::Java, Encoding::Gb18030) == gbFromUtf8(text));
    }
    require(!isUtf8(text) || isUtf8(convertText(text, Encoding::Java, Encoding::Utf8)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkAsGb18030(bytes);
    checkAsUtf8(bytes);
    checkJava(bytes);
    return 0;
}
