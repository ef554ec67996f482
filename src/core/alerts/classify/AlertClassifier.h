#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/alerts/AlertRecord.h"
#include "core/alerts/classify/ClassifiedWarnings.h"
#include "core/alerts/classify/HeadlineCut.h"

namespace galewarden {

class Guidance;
struct ClassifierWords;

enum class ClassifyOutcome {
    nextDistrict,  // the district does not apply; the walk tries the next one
    dropped,       // not wanted, or missing a part
    liftNotice,    // noted; it cancels warnings of its region and type
    candidate,     // noted; kept unless lifted or a duplicate
};

// Decides for one warning and one watched district whether the warning belongs to the
// district and is wanted, with its region and renamed signal name. What passes is gathered
// for the selection that follows the walk.
class AlertClassifier {
  public:
    AlertClassifier(const ClassifierWords& words, const Guidance& guidance);

    ClassifyOutcome classifyAlert(const AlertRecord& record, std::string_view district);

    const ClassifiedWarnings& classified() const { return classified_; }
    ClassifiedWarnings take() { return std::move(classified_); }

  private:
    ClassifyOutcome noteLift(const AlertRecord& record, const HeadlineCut& cut);
    ClassifyOutcome noteCandidate(const AlertRecord& record, const HeadlineCut& cut,
                                  std::string_view district);
    std::string renamed(std::string signalName) const;
    const std::string& renamedOnce(const std::string& signalName);
    bool wantedType(const std::string& type);
    const std::shared_ptr<const std::string>& guidanceFor(const std::string& signalName);

    const ClassifierWords& words_;
    const Guidance& guidance_;
    HeadlineCutter cutter_;
    // What depends on a signal name or type alone, worked out once per pass.
    std::unordered_map<std::string, std::shared_ptr<const std::string>> guidanceMemo_;
    std::unordered_map<std::string, std::string> renamed_;
    std::unordered_map<std::string, bool> wanted_;
    ClassifiedWarnings classified_;
};

}  // namespace galewarden
