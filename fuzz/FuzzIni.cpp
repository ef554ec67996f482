#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/IniDocument.h"
#include "core/text/CodePage.h"

namespace {

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

// Arbitrary file bytes: the document renders them unchanged (a file marked as UTF-8 as its
// text in GB18030), reads stay within the buffer, a write reads back (also after a second
// parse), and a removal leaves nothing behind.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    galewarden::IniDocument document(bytes);
    check(document.bytes() == (bytes.starts_with(kUtf8Mark)
                                   ? galewarden::gbFromUtf8(bytes.substr(kUtf8Mark.size()))
                                   : std::string(bytes)));
    for (const char* section : {"General", "Source", "Label", "\x81\x5D"}) {
        for (const char* key : {"Width", "Districts", "Text", ""}) {
            const auto value = document.read(section, key);
            check(!value || value->size() <= galewarden::IniDocument::kMaxValueBytes);
        }
    }
    const std::string_view value =
        bytes.substr(0, std::min<std::size_t>(64, bytes.find_first_of("\r\n\" \t\v\f")));
    check(document.write("Source", "Districts", value));
    check(document.read("Source", "Districts") == value);
    check(galewarden::IniDocument(document.bytes()).read("Source", "Districts") == value);
    document.remove("Source", "Districts");
    check(!galewarden::IniDocument(document.bytes()).read("Source", "Districts"));
    return 0;
}
