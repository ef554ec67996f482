#include "core/alerts/classify/AlertClassifier.h"

#include "core/alerts/PassConfiguration.h"
#include "core/alerts/classify/AlertText.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/classify/SignalColour.h"
#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

// The value for a key from the cache, computed on its first use.
template <typename Value, typename Compute>
const Value& remembered(std::unordered_map<std::string, Value>& cache, const std::string& key,
                        Compute compute) {
    const auto known = cache.find(key);
    return known != cache.end() ? known->second : cache.emplace(key, compute()).first->second;
}

}  // namespace

AlertClassifier::AlertClassifier(const ClassifierWords& words, const Guidance& guidance)
    : words_(words), guidance_(guidance), cutter_(words) {}

ClassifyOutcome AlertClassifier::classifyAlert(const AlertRecord& record,
                                               std::string_view district) {
    const HeadlineCut cut = cutter_.cut(record.headline, record.sender, district);
    if (!endsWith(cut.region, district)) {
        return ClassifyOutcome::nextDistrict;
    }
    if (cut.lift) {
        return noteLift(record, cut);
    }
    if (!cut.hasKeyword()) {
        return ClassifyOutcome::nextDistrict;
    }
    return noteCandidate(record, cut, district);
}

// A lift names its signal like a warning; without a colour it lifts the yellow one.
ClassifyOutcome AlertClassifier::noteLift(const AlertRecord& record, const HeadlineCut& cut) {
    std::string name = cut.liftedNameText();
    if (name.empty()) {
        return ClassifyOutcome::dropped;
    }
    if (colourLevel(colourCharacterOf(name)) == kNoColour) {
        name += colourCharacter(kYellow);
    }
    classified_.lifts.push_back(LiftNotice{record.listIndex, cut.region,
                                           std::string(typeOf(renamedOnce(name))),
                                           record.publishDateTime});
    return ClassifyOutcome::liftNotice;
}

ClassifyOutcome AlertClassifier::noteCandidate(const AlertRecord& record, const HeadlineCut& cut,
                                               std::string_view district) {
    const std::string& signalName = renamedOnce(cut.signalNameText());
    std::string description = cleanAlertText(record.description);
    const std::shared_ptr<const std::string>& guidance = guidanceFor(signalName);
    if (!guidance->empty()) {
        description = cutGuidanceSection(std::move(description));
    }
    const bool valid = !cut.region.empty() && wantedType(std::string(typeOf(signalName))) &&
                       !cut.office.empty() && !record.publishTime.empty() && !description.empty() &&
                       !signalName.empty();
    if (!valid) {
        return ClassifyOutcome::dropped;
    }
    std::string word = signalWord(description);
    classified_.candidates.push_back(
        Candidate{record.listIndex, record.id, cut.region, signalName, std::move(description),
                  guidance, std::move(word), record.publishTime, record.publishDateTime,
                  record.headline, record.sender, std::string(district)});
    return ClassifyOutcome::candidate;
}

// Plain entries replace what they name and the scan goes on, so the last of them wins; a "*"
// entry names the whole type and ends the scan.
std::string AlertClassifier::renamed(std::string signalName) const {
    if (signalName.empty()) {
        return signalName;
    }
    const std::string type(typeOf(signalName));
    const std::string colour(colourCharacterOf(signalName));
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

const std::string& AlertClassifier::renamedOnce(const std::string& signalName) {
    return remembered(renamed_, signalName, [&] { return renamed(signalName); });
}

bool AlertClassifier::wantedType(const std::string& type) {
    return remembered(wanted_, type, [&] { return isWantedType(type, words_.skipWords); });
}

const std::shared_ptr<const std::string>& AlertClassifier::guidanceFor(
    const std::string& signalName) {
    return remembered(guidanceMemo_, signalName, [&] {
        return std::make_shared<const std::string>(guidance_.lookup(signalName));
    });
}

}  // namespace galewarden
