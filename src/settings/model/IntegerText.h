#pragma once

#include <string_view>

namespace galewarden {

// Whether a number field's text is an integer and nothing else: leading spaces, a sign where
// `signAllowed`, then at least one digit; full-width digits, signs and spaces count as their
// ASCII forms. Such a text reads back the same under the text-to-integer rule.
bool isIntegerText(std::string_view text, bool signAllowed);

// Whether the text can still become one by typing more (empty, spaces, a lone sign).
bool isIntegerTextPrefix(std::string_view text, bool signAllowed);

}  // namespace galewarden
