#include "core/alerts/classify/WarningSelection.h"

#include <initializer_list>
#include <map>
#include <string_view>
#include <vector>

#include "core/alerts/classify/AlertText.h"
#include "core/alerts/classify/SignalColour.h"
#include "core/alerts/outputs/HtmlPage.h"
#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

using RegionType = PassAccumulators::RegionType;
using LiftsByPair = std::map<RegionType, std::vector<const LiftNotice*>>;

struct SelectionWords {
    std::string tornado = gbFromUtf8("龙卷");
    std::string colourSuffix = gbFromUtf8("色");
    std::string detailsHead = gbFromUtf8("▲【");
    std::string headEnd = gbFromUtf8("】\r\n");
    std::string pageHead = gbFromUtf8("-----▲【");
    std::string pageHeadEnd = gbFromUtf8("】 (");
    std::string guidanceHead = gbFromUtf8("防御指南：\r\n");
};

const SelectionWords& selectionWords() {
    static const SelectionWords instance;
    return instance;
}

bool readable(const DateTime& time) {
    return time != kMinimumDateTime;
}

// Times decide; where one is unreadable, the list's order tells which is newer.
bool cancels(const LiftNotice& lift, const Candidate& warning, ListOrder order) {
    if (readable(lift.publishDateTime) && readable(warning.publishDateTime)) {
        return warning.publishDateTime <= lift.publishDateTime;
    }
    return order == ListOrder::newestFirst ? lift.listIndex < warning.listIndex
                                           : lift.listIndex > warning.listIndex;
}

LiftsByPair liftsByPair(const std::vector<LiftNotice>& lifts) {
    LiftsByPair byPair;
    for (const LiftNotice& lift : lifts) {
        byPair[{lift.region, lift.type}].push_back(&lift);
    }
    return byPair;
}

bool lifted(const LiftsByPair& lifts, const RegionType& pair, const Candidate& warning,
            ListOrder order) {
    const auto found = lifts.find(pair);
    if (found == lifts.end()) {
        return false;
    }
    for (const LiftNotice* lift : found->second) {
        if (cancels(*lift, warning, order)) {
            return true;
        }
    }
    return false;
}

void append(std::string& text, std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) {
        text.append(piece);
    }
}

std::string quotedName(std::string_view signalName) {
    return "\"" + escapeJavaScriptString(signalName) + "\"";
}

class Selection {
  public:
    Selection(const SelectionOptions& options, const PictureSource& pictures)
        : options_(options), pictures_(pictures) {}

    void keep(const Candidate& warning, const RegionType& pair) {
        acc_.anyKept = true;
        if (containsText(warning.signalName, selectionWords().tornado) ||
            containsText(warning.description, selectionWords().tornado)) {
            ++acc_.tornadoCount;  // duplicates count too
        }
        if (!acc_.acceptedPairs.insert(pair).second) {
            return;
        }
        if (options_.labelUsesName || !acc_.shownNames.contains(warning.signalName)) {
            addDisplayEntry(warning);
        }
        const int level = colourLevel(colourCharacterOf(warning.signalName));
        if (isColourLevel(level)) {
            ++acc_.colouredTotal;
            ++acc_.colourCount[static_cast<std::size_t>(level - kWhite)];
            acc_.highestColour = std::max(acc_.highestColour, level);
        }
        addTexts(warning, level);
    }

    PassAccumulators take() { return std::move(acc_); }

  private:
    void addDisplayEntry(const Candidate& warning) {
        acc_.shownNames.insert(warning.signalName);
        acc_.display.push_back(
            DisplayEntry{pictures_ ? pictures_(warning.signalName) : std::string(),
                         warning.signalName, warning.region});
        acc_.alertList += (acc_.alertList.empty() ? "var Alerts = new Array(" : ",") +
                          quotedName(warning.signalName);
    }

    void addTexts(const Candidate& warning, int level) {
        const SelectionWords& w = selectionWords();
        const std::string_view type = typeOf(warning.signalName);
        const std::string_view colour = colourCharacterOf(warning.signalName);
        KeptAlert alert{warning.id,
                        warning.region,
                        warning.signalName,
                        level,
                        warning.publishTime,
                        warning.publishDateTime,
                        formatAlertTitle({warning.region, warning.publishDateTime, type, colour,
                                          warning.word, std::nullopt}),
                        warning.description,
                        warning.headline,
                        warning.signalName + (colour.empty() ? "" : w.colourSuffix) + warning.word,
                        warning.sender,
                        warning.district,
                        warning.guidance};
        // Thousands of warnings make megabytes of text: appended in place, never through
        // temporaries.
        append(acc_.detailsText,
               {w.detailsHead, alert.region, alert.signalName, w.colourSuffix, warning.word,
                w.headEnd, alert.description, " (", alert.publishTime, ")\r\n"});
        append(acc_.pageText, {w.pageHead, alert.title, w.pageHeadEnd, alert.publishTime, ")\r\n",
                               alert.description});
        if (options_.guidanceFileExists && !warning.guidance->empty()) {
            append(acc_.detailsText, {w.guidanceHead, *warning.guidance, "\r\n"});
            append(acc_.pageText, {"\r\n", w.guidanceHead, *warning.guidance});
        }
        acc_.detailsText += "\r\n";
        acc_.kept.push_back(std::move(alert));
    }

    const SelectionOptions& options_;
    const PictureSource& pictures_;
    PassAccumulators acc_;
};

}  // namespace

PassAccumulators selectWarnings(const ClassifiedWarnings& warnings, const SelectionOptions& options,
                                const PictureSource& pictures, std::stop_token stop) {
    const LiftsByPair lifts = liftsByPair(warnings.lifts);
    Selection selection(options, pictures);
    for (const Candidate& warning : warnings.candidates) {
        if (stop.stop_requested()) {
            break;
        }
        RegionType pair{warning.region, std::string(typeOf(warning.signalName))};
        if (!lifted(lifts, pair, warning, options.order)) {
            selection.keep(warning, pair);
        }
    }
    return selection.take();
}

}  // namespace galewarden
