#include "core/alerts/classify/HeadlineCut.h"

#include <algorithm>
#include <tuple>

#include "core/alerts/PassConfiguration.h"
#include "core/alerts/classify/AlertText.h"
#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

struct HeadlineWords {
    std::string defaultOffice = gbFromUtf8("气象台");
    std::string colourSuffix = gbFromUtf8("色");
    std::string warning = gbFromUtf8("预警");
    std::string noColour = gbFromUtf8("无");
};

const HeadlineWords& headlineWords() {
    static const HeadlineWords instance;
    return instance;
}

// The bytes of `text` from 1-based `position` on, `count` of them; empty when out of range.
std::string mid(std::string_view text, int position, int count) {
    if (position < 1 || count <= 0 || static_cast<std::size_t>(position - 1) >= text.size()) {
        return {};
    }
    return std::string(
        text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(count)));
}

std::string left(std::string_view text, int count) {
    return mid(text, 1, count);
}

// The first word of the list that occurs in the text, and its length. An empty keyword is
// found at once and leaves the headline without one; an empty lift word counts for nothing.
enum class EmptyWord { found, skipped };

std::pair<int, int> firstWordIn(std::string_view text, const std::vector<std::string>& list,
                                EmptyWord empty) {
    for (const std::string& word : list) {
        const int at = word.empty() && empty == EmptyWord::skipped ? -1 : findText(text, word);
        if (at != -1) {
            return {at, static_cast<int>(word.size())};
        }
    }
    return {-1, 0};
}

}  // namespace

std::string HeadlineCut::textAfterKeyword(int endAt) const {
    const int start = keywordAt + keywordLength;
    return mid(rest, start, endAt - start);
}

std::string HeadlineCut::signalNameText() const {
    if (const int colourAt = findText(rest, headlineWords().colourSuffix, keywordAt);
        colourAt != -1) {
        return textAfterKeyword(colourAt);
    }
    if (const int warningAt = findText(rest, headlineWords().warning, keywordAt); warningAt != -1) {
        return textAfterKeyword(warningAt) + headlineWords().noColour;
    }
    return {};
}

std::string HeadlineCut::liftedNameText() const {
    int endAt = findText(rest, headlineWords().colourSuffix, keywordAt);
    if (endAt == -1) {
        endAt = findText(rest, headlineWords().warning, keywordAt);
    }
    return endAt == -1 ? std::string() : textAfterKeyword(endAt);
}

HeadlineCutter::HeadlineCutter(const ClassifierWords& words) : words_(words) {
    for (const std::string& word : words_.senderWords) {
        senderWords_.emplace_back(word, replaceAll(word, "~", ""));
    }
}

HeadlineCut HeadlineCutter::cut(std::string_view headline, std::string_view sender,
                                std::string_view district) const {
    HeadlineCut cut;
    if (sender == district) {
        cut.region = sender;
        cut.office = headlineWords().defaultOffice;
        cut.rest = headline.substr(std::min(cut.region.size(), headline.size()));
    } else {
        findIssuer(headline, cut);
    }
    for (const std::string& name : nationalNames()) {
        if (containsText(cut.region, name) && !endsWith(cut.region, cut.office)) {
            cut.region += cut.office;
            break;
        }
    }
    findKeyword(cut);
    if (cut.region.empty()) {
        cut.region = left(headline, cut.keywordAt - 1);
        cut.office = headlineWords().defaultOffice;
    }
    return cut;
}

// The earliest of the last occurrences of the sender words ends the issuing body.
void HeadlineCutter::findIssuer(std::string_view headline, HeadlineCut& cut) const {
    int officeAt = -1;
    cut.rest = headline;
    for (const auto& [word, searched] : senderWords_) {
        const int found = findLastText(headline, searched);
        if (found != -1 && (officeAt == -1 || found < officeAt)) {
            officeAt = found;
            cut.office = mid(headline, officeAt, static_cast<int>(word.size()));
            cut.rest = headline.substr(
                std::min(headline.size(), static_cast<std::size_t>(officeAt - 1) + word.size()));
        }
    }
    cut.region = left(headline, officeAt - 1);
}

// A headline with a lift word and no keyword is a lift notice.
void HeadlineCutter::findKeyword(HeadlineCut& cut) const {
    std::tie(cut.keywordAt, cut.keywordLength) =
        firstWordIn(cut.rest, words_.keywords, EmptyWord::found);
    if (cut.keywordAt == -1) {
        std::tie(cut.keywordAt, cut.keywordLength) =
            firstWordIn(cut.rest, words_.clearWords, EmptyWord::skipped);
        cut.lift = cut.keywordAt != -1;
    }
}

}  // namespace galewarden
