#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/alerts/AlertRecord.h"
#include "core/alerts/PassAccumulators.h"
#include "core/alerts/PassConfiguration.h"

namespace galewarden {

class RefreshState;

enum class ClassifyOutcome { nextDistrict, dropped, kept, duplicate };

// PNG bytes for a signal name.
using PictureSource = std::function<std::string(std::string_view signalName)>;

// Cuts headlines into region, office, keyword, type and colour, drops what is not wanted and
// publishes what is kept into the pass's accumulators and the shared display lists.
class AlertClassifier {
  public:
    AlertClassifier(const ClassifierWords& words, RefreshState& state, PictureSource pictures,
                    bool guidanceFileExists);

    ClassifyOutcome classifyAlert(const AlertRecord& record, std::string_view district);

    const PassAccumulators& accumulators() const { return acc_; }
    PassAccumulators& accumulators() { return acc_; }

  private:
    struct Cut;
    Cut cutHeadline(const AlertRecord& record, std::string_view district) const;
    std::string renamed(std::string signalName) const;
    const std::string& renamedOnce(const std::string& signalName);
    bool wantedType(const std::string& type);
    ClassifyOutcome noteLift(const Cut& cut);
    ClassifyOutcome publish(const AlertRecord& record, const Cut& cut);
    void appendDisplayEntry(const std::string& signalName, const std::string& region);
    const std::string& guidanceFor(const std::string& signalName);
    void appendTexts(const AlertRecord& record, const KeptAlert& alert, const std::string& guidance,
                     const std::string& word);

    const ClassifierWords& words_;
    RefreshState& state_;
    PictureSource pictures_;
    bool guidanceFileExists_;
    bool labelUsesName_ = false;
    // Each sender word, and the same without its "~" as it is searched for.
    std::vector<std::pair<std::string, std::string>> senderWords_;
    // What depends on a signal name or type alone, worked out once per pass.
    std::unordered_map<std::string, std::string> guidance_;
    std::unordered_map<std::string, std::string> renamed_;
    std::unordered_map<std::string, bool> wanted_;
    PassAccumulators acc_;
};

}  // namespace galewarden
