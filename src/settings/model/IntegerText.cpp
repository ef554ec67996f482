#include "settings/model/IntegerText.h"

#include <string>

#include "core/text/TextToNumber.h"

namespace galewarden {
namespace {

struct Parts {
    bool wellFormed = false;  // nothing but spaces, a sign and digits, in that order
    bool hasDigits = false;
};

Parts partsOf(std::string_view text, bool signAllowed) {
    const std::string half = toHalfWidth(text);
    std::size_t at = half.find_first_not_of(' ');
    if (at == std::string::npos) {
        return {true, false};
    }
    if (signAllowed && (half[at] == '+' || half[at] == '-')) {
        ++at;
    }
    const std::size_t digits = half.find_first_not_of("0123456789", at);
    return {digits == std::string::npos, at < half.size()};
}

}  // namespace

bool isIntegerText(std::string_view text, bool signAllowed) {
    const Parts parts = partsOf(text, signAllowed);
    return parts.wellFormed && parts.hasDigits;
}

bool isIntegerTextPrefix(std::string_view text, bool signAllowed) {
    return partsOf(text, signAllowed).wellFormed;
}

}  // namespace galewarden
