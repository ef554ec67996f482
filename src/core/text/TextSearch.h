#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// Whether a search folds ASCII letters; other characters always compare exactly.
enum class Case { Sensitive, Ignore };

// Searches over GB18030 bytes. Positions are 1-based byte positions; −1 means absent. A match
// only ever starts on a character boundary. An empty needle is found at the first candidate
// position of a non-empty text and nowhere in an empty one.
int findText(std::string_view text, std::string_view needle, int from = 1,
             Case mode = Case::Sensitive);
int findLastText(std::string_view text, std::string_view needle, Case mode = Case::Sensitive);
bool containsText(std::string_view text, std::string_view needle, Case mode = Case::Sensitive);

// 1-based positions of every non-overlapping match, left to right.
std::vector<int> findAllText(std::string_view text, std::string_view needle,
                             Case mode = Case::Sensitive);

// Replaces every non-overlapping match, left to right, in one pass.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to,
                       Case mode = Case::Sensitive);

// ASCII-only lower case; bytes of multi-byte characters are left alone.
std::string toLowerAscii(std::string_view text);

}  // namespace galewarden
