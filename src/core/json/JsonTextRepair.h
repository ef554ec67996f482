#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace galewarden::json {

struct RewrittenSpan {
    std::size_t offset = 0;
    std::size_t length = 0;
};

// RapidJSON refuses two things that JSON allows and that the feeds may carry: a lone UTF-16
// surrogate escape, and a number beyond the double range (1e400). This rewrites them in
// place, keeping every length: a lone surrogate escape becomes \u003f ("?", which is what the
// program's code page makes of it anyway), and a number with an exponent or of more than 300
// characters becomes "0e0…0" (signed as before). The number spans are returned so that their
// original text can be put back after parsing. Text that is not JSON stays not JSON.
std::vector<RewrittenSpan> rewriteForRapidJson(std::string& text);

}  // namespace galewarden::json
