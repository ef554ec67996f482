#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"
#include "core/text/TextToNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    galewarden::textToInteger(text);
    galewarden::textToReal(text);
    // The other byte walkers meet the same arbitrary input.
    galewarden::trimText(text);
    galewarden::splitText(text, ",");
    galewarden::findLastText(text, "\xA1\xA1", galewarden::Case::Ignore);
    return 0;
}
