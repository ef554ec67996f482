#include "settings/editors_model/DistrictPickerDirectAdd.h"

#include <algorithm>
#include <array>

#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

// Searched at character boundaries: "\" is also the second byte of some Chinese characters.
bool hasForbiddenCharacter(std::string_view piece) {
    static constexpr std::array<std::string_view, 9> kForbidden{",", "?",  "&",  "=", ";",
                                                                "/", "\\", "\r", "\n"};
    return std::any_of(kForbidden.begin(), kForbidden.end(),
                       [piece](std::string_view c) { return containsText(piece, c); });
}

}  // namespace

DirectNames splitDirectNames(std::string_view typed) {
    DirectNames names;
    for (std::string& piece : splitText(typed, " ")) {
        if (piece.empty()) {
            continue;
        }
        (hasForbiddenCharacter(piece) ? names.refused : names.accepted).push_back(std::move(piece));
    }
    return names;
}

std::string directNameRefusal(std::string_view piece) {
    return gbFromUtf8("“") + std::string(piece) + gbFromUtf8("”存在非法字符，无法添加，已忽略。");
}

}  // namespace galewarden
