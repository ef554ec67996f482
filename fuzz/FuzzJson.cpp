#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/json/JsonDocument.h"

// Input: a path, a newline, then the JSON text; without a newline the whole input is both.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view path = input.substr(0, newline);
    const std::string_view json =
        newline == std::string_view::npos ? input : input.substr(newline + 1);

    galewarden::JsonDocument document;
    (void)document.parse(json);  // a failed parse leaves a document that must read empty
    for (const std::string_view fixed :
         {"", "da", "da.x", "data[0].id", "[0]", "[1].a['b c']", "a.length", "a[\"\\u0062\"]"}) {
        document.getText(fixed);
    }
    document.getText(path);
    document.reset();
    document.getText(path);
    return 0;
}
