#include "core/alerts/classify/AlertClassifier.h"

#include <algorithm>

#include "core/alerts/RefreshState.h"
#include "core/alerts/classify/AlertText.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/HtmlPage.h"
#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

constexpr std::size_t kCharBytes = 2;  // a colour character

struct Words {
    std::string defaultOffice = gbFromUtf8("气象台");
    std::string colourSuffix = gbFromUtf8("色");
    std::string warning = gbFromUtf8("预警");
    std::string noColour = gbFromUtf8("无");
    std::string liftDefaultColour = gbFromUtf8("黄");
    std::string tornado = gbFromUtf8("龙卷");
    std::array<std::string, 5> colours{gbFromUtf8("白"), gbFromUtf8("蓝"), gbFromUtf8("黄"),
                                       gbFromUtf8("橙"), gbFromUtf8("红")};
    std::string detailsHead = gbFromUtf8("▲【");
    std::string headEnd = gbFromUtf8("】\r\n");
    std::string pageHead = gbFromUtf8("-----▲【");
    std::string pageHeadEnd = gbFromUtf8("】 (");
    std::string guidanceHead = gbFromUtf8("防御指南：\r\n");
};

const Words& words() {
    static const Words instance;
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

std::string withoutLastChar(std::string_view name) {
    return std::string(name.substr(0, name.size() >= kCharBytes ? name.size() - kCharBytes : 0));
}

std::string lastChar(std::string_view name) {
    return std::string(name.substr(name.size() >= kCharBytes ? name.size() - kCharBytes : 0));
}

// 1 白 … 5 红; 0 for anything else.
int levelOf(std::string_view colour) {
    const auto& colours = words().colours;
    const auto found = std::find(colours.begin(), colours.end(), colour);
    return found == colours.end() ? 0 : static_cast<int>(found - colours.begin()) + 1;
}

// The value for a key from the cache, computed on its first use.
template <typename Value, typename Compute>
const Value& remembered(std::unordered_map<std::string, Value>& cache, const std::string& key,
                        Compute compute) {
    const auto known = cache.find(key);
    return known != cache.end() ? known->second : cache.emplace(key, compute()).first->second;
}

std::string quotedName(std::string_view signalName) {
    return "\"" + escapeJavaScriptString(signalName) + "\"";
}

}  // namespace

struct AlertClassifier::Cut {
    std::string region;
    std::string office;
    std::string rest;
    int keywordAt = -1;  // 1-based position in `rest` of the keyword (or lift word)
    int keywordLength = 0;
    bool lift = false;
};

AlertClassifier::AlertClassifier(const ClassifierWords& words, RefreshState& state,
                                 PictureSource pictures, bool guidanceFileExists)
    : words_(words),
      state_(state),
      pictures_(std::move(pictures)),
      guidanceFileExists_(guidanceFileExists) {
    for (const std::string& word : words_.senderWords) {
        senderWords_.emplace_back(word, replaceAll(word, "~", ""));
    }
    std::lock_guard lock(state_.displayLock);
    labelUsesName_ = state_.labelUsesName;
}

AlertClassifier::Cut AlertClassifier::cutHeadline(const AlertRecord& record,
                                                  std::string_view district) const {
    const std::string& headline = record.headline;
    Cut cut;
    cut.rest = headline;
    if (record.sender == district) {
        cut.region = record.sender;
        cut.office = words().defaultOffice;
        cut.rest = headline.substr(std::min(cut.region.size(), headline.size()));
    } else {
        int officeAt = -1;
        for (const auto& [word, searched] : senderWords_) {
            const int found = findLastText(headline, searched);
            if (found != -1 && (officeAt == -1 || found < officeAt)) {
                officeAt = found;
                cut.office = mid(headline, officeAt, static_cast<int>(word.size()));
                cut.rest = headline.substr(std::min(
                    headline.size(), static_cast<std::size_t>(officeAt - 1) + word.size()));
            }
        }
        cut.region = left(headline, officeAt - 1);
    }
    for (const std::string& name : nationalNames()) {
        if (containsText(cut.region, name)) {
            if (!endsWith(cut.region, cut.office)) {
                cut.region += cut.office;
                break;
            }
        }
    }
    for (const std::string& keyword : words_.keywords) {
        cut.keywordAt = findText(cut.rest, keyword);
        if (cut.keywordAt != -1) {
            cut.keywordLength = static_cast<int>(keyword.size());
            break;
        }
    }
    if (cut.keywordAt == -1) {
        for (const std::string& clear : words_.clearWords) {
            cut.keywordAt = clear.empty() ? -1 : findText(cut.rest, clear);
            if (cut.keywordAt != -1) {
                cut.keywordLength = static_cast<int>(clear.size());
                cut.lift = true;
                break;
            }
        }
    }
    if (cut.region.empty()) {
        cut.region = left(headline, cut.keywordAt - 1);
        cut.office = words().defaultOffice;
    }
    return cut;
}

std::string AlertClassifier::renamed(std::string signalName) const {
    if (signalName.empty()) {
        return signalName;
    }
    const std::string type = withoutLastChar(signalName);
    const std::string colour = lastChar(signalName);
    for (std::size_t j = 0; j < words_.changeFrom.size(); ++j) {
        const std::string& from = words_.changeFrom[j];
        if (startsWith(from, "*")) {
            if (containsText(type, std::string_view(from).substr(1), Case::Ignore)) {
                return words_.changeTo[j] + colour;
            }
        } else if (containsText(type, from, Case::Ignore)) {
            signalName = replaceAll(type, from, words_.changeTo[j], Case::Ignore) + colour;
        }
    }
    return signalName;
}

// A lift notice removes the warnings of its region and type that follow it in the list.
ClassifyOutcome AlertClassifier::noteLift(const Cut& cut) {
    const int start = cut.keywordAt + cut.keywordLength;
    int end = findText(cut.rest, words().colourSuffix, cut.keywordAt);
    if (end == -1) {
        end = findText(cut.rest, words().warning, cut.keywordAt);
    }
    std::string name = mid(cut.rest, start, end - start);
    if (name.empty()) {
        return ClassifyOutcome::dropped;
    }
    if (levelOf(lastChar(name)) == 0) {
        name += words().liftDefaultColour;
    }
    acc_.liftedPairs.emplace(cut.region, withoutLastChar(renamedOnce(name)));
    return ClassifyOutcome::dropped;
}

ClassifyOutcome AlertClassifier::classifyAlert(const AlertRecord& record,
                                               std::string_view district) {
    const Cut cut = cutHeadline(record, district);
    if (!endsWith(cut.region, district)) {
        return ClassifyOutcome::nextDistrict;
    }
    if (cut.lift) {
        return noteLift(cut);
    }
    if (cut.keywordLength == 0) {
        return ClassifyOutcome::nextDistrict;
    }
    return publish(record, cut);
}

ClassifyOutcome AlertClassifier::publish(const AlertRecord& record, const Cut& cut) {
    const int start = cut.keywordAt + cut.keywordLength;
    std::string signalName;
    if (const int colourAt = findText(cut.rest, words().colourSuffix, cut.keywordAt);
        colourAt != -1) {
        signalName = mid(cut.rest, start, colourAt - start);
    } else if (const int warningAt = findText(cut.rest, words().warning, cut.keywordAt);
               warningAt != -1) {
        signalName = mid(cut.rest, start, warningAt - start) + words().noColour;
    }
    signalName = renamedOnce(signalName);

    std::string description = cleanAlertText(record.description);
    const std::string type = withoutLastChar(signalName);
    const std::string& guidance = guidanceFor(signalName);
    if (!guidance.empty()) {
        description = cutGuidanceSection(description);
    }
    const std::string word = signalWord(description);

    const bool valid = !cut.region.empty() && wantedType(type) && !cut.office.empty() &&
                       !record.publishTime.empty() && !description.empty() && !signalName.empty();
    const PassAccumulators::RegionType pair{cut.region, type};
    if (!valid || acc_.liftedPairs.contains(pair)) {
        return ClassifyOutcome::dropped;
    }

    acc_.anyKept = true;
    if (containsText(signalName, words().tornado) || containsText(description, words().tornado)) {
        ++state_.tornadoCount;
    }
    if (!acc_.anyReachedDisplay) {
        acc_.anyReachedDisplay = true;
        appendDisplayEntry(signalName, cut.region);
        acc_.acceptedPairs.insert(pair);
        acc_.alertList = "var Alerts = new Array(" + quotedName(signalName);
    } else {
        if (acc_.acceptedPairs.contains(pair)) {
            return ClassifyOutcome::duplicate;
        }
        acc_.acceptedPairs.insert(pair);
        if (labelUsesName_ || !acc_.shownNames.contains(signalName)) {
            appendDisplayEntry(signalName, cut.region);
            acc_.alertList += "," + quotedName(signalName);
        }
    }

    const std::string colour = lastChar(signalName);
    const int level = levelOf(colour);
    if (level >= 1) {
        ++acc_.colouredTotal;
        ++acc_.colourCount[static_cast<std::size_t>(level - 1)];
        int highest = state_.highestColour.load();
        while (level > highest && !state_.highestColour.compare_exchange_weak(highest, level)) {
        }
    }

    KeptAlert alert{
        record.id,
        cut.region,
        signalName,
        level,
        record.publishTime,
        record.publishDateTime,
        formatAlertTitle(cut.region, record.publishDateTime, type, colour, "", false, word),
        description};
    appendTexts(record, alert, guidance, word);
    acc_.kept.push_back(std::move(alert));
    return ClassifyOutcome::kept;
}

const std::string& AlertClassifier::renamedOnce(const std::string& signalName) {
    return remembered(renamed_, signalName, [&] { return renamed(signalName); });
}

bool AlertClassifier::wantedType(const std::string& type) {
    return remembered(wanted_, type, [&] { return isWantedType(type, words_.skipWords); });
}

const std::string& AlertClassifier::guidanceFor(const std::string& signalName) {
    return remembered(guidance_, signalName, [&] { return lookupGuidance(signalName); });
}

void AlertClassifier::appendDisplayEntry(const std::string& signalName, const std::string& region) {
    std::string picture = pictures_ ? pictures_(signalName) : std::string();
    acc_.shownNames.insert(signalName);
    std::lock_guard lock(state_.displayLock);
    state_.display.icons.push_back(std::move(picture));
    state_.display.titles.push_back(signalName);
    state_.display.placeNames.push_back(region);
}

void AlertClassifier::appendTexts(const AlertRecord& record, const KeptAlert& alert,
                                  const std::string& guidance, const std::string& word) {
    const Words& w = words();
    acc_.detailsText += w.detailsHead + alert.region + alert.signalName + w.colourSuffix + word +
                        w.headEnd + alert.description + " (" + record.publishTime + ")\r\n";
    acc_.pageText +=
        w.pageHead + alert.title + w.pageHeadEnd + record.publishTime + ")\r\n" + alert.description;
    if (guidanceFileExists_ && !guidance.empty()) {
        acc_.detailsText += w.guidanceHead + guidance + "\r\n";
        acc_.pageText += "\r\n" + w.guidanceHead + guidance;
    }
    acc_.detailsText += "\r\n";
}

}  // namespace galewarden
