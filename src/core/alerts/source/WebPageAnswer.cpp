#include "core/alerts/source/WebPageAnswer.h"

#include <algorithm>

#include "core/text/CodePage.h"
#include "core/text/Gb18030.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

// A page says what it is near its start; the rest of a large answer is not searched.
constexpr std::size_t kLookedAt = 8192;
constexpr std::size_t kLongestTitle = 120;

std::string_view withoutLeadingBlanks(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const auto first = text.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

bool looksLikeHtml(std::string_view lowerStart) {
    return lowerStart.starts_with("<!doctype html") || lowerStart.starts_with("<html") ||
           lowerStart.find("<head") != std::string_view::npos ||
           lowerStart.find("<body") != std::string_view::npos;
}

std::string titleIn(std::string_view start, std::string_view lowerStart) {
    const auto open = lowerStart.find("<title");
    const auto textAt = open == std::string_view::npos ? open : lowerStart.find('>', open);
    const auto close =
        textAt == std::string_view::npos ? textAt : lowerStart.find("</title", textAt);
    if (close == std::string_view::npos) {
        return {};
    }
    const std::string title = gbFromUtf8(trimText(start.substr(textAt + 1, close - textAt - 1)));
    return title.substr(0, charBoundaryBefore(title, kLongestTitle));
}

}  // namespace

std::optional<std::string> webPageTitle(std::string_view answerUtf8) {
    const std::string_view start = withoutLeadingBlanks(answerUtf8).substr(0, kLookedAt);
    if (!start.starts_with('<')) {
        return std::nullopt;
    }
    const std::string lowerStart = toLowerAscii(start);
    if (!looksLikeHtml(lowerStart)) {
        return std::nullopt;
    }
    return titleIn(start, lowerStart);
}

}  // namespace galewarden
