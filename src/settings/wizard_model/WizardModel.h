#pragma once

#include <cstddef>
#include <string>

#include "core/config/IconPlacement.h"
#include "core/config/IniDocument.h"
#include "settings/services/SettingsServices.h"
#include "settings/wizard_model/WizardValues.h"

namespace galewarden {

inline constexpr int kWizardPageCount = 6;
inline constexpr int kWizardLastPage = kWizardPageCount - 1;
// More names than this from the district picker are refused.
inline constexpr std::size_t kMostWizardDistricts = 200;
// What the configuration reads back of one value.
inline constexpr std::size_t kMostWizardDistrictBytes = IniDocument::kMaxValueBytes;

enum class DistrictChoice { replaced, unchanged, tooMany, tooLong };

// The wizard without its window: the page it shows, what its buttons read and do to the
// values, and the values the finish writes. Texts are GB18030.
class WizardModel {
  public:
    explicit WizardModel(WizardValues values);

    int page() const { return page_; }
    bool onLastPage() const { return page_ == kWizardLastPage; }
    // The forward button on every page but the last, where it finishes instead.
    void forward();
    void back();
    // "单击此处开始设置"
    void startSetup();

    std::string forwardCaption() const;
    bool backEnabled() const;
    std::string pageCounter() const;
    std::string summary() const;
    // The system's packages update the program: the summary names no update check.
    void setUpdatesFromPackages(bool fromPackages) { updatesFromPackages_ = fromPackages; }

    WizardValues& values() { return values_; }
    const WizardValues& values() const { return values_; }

    // The names of the district edit, for the picker to show ticked.
    DistrictSelection districtNames() const;
    DistrictChoice chooseDistricts(const DistrictSelection& names);
    // The four edits as the position picker takes them.
    IconPlacement placement() const;
    // False, and nothing changes, for a placement the picker left invalid.
    bool takePlacement(const IconPlacement& placement);

  private:
    void goTo(int page);

    int page_ = 0;
    WizardValues values_;
    bool updatesFromPackages_ = false;
};

}  // namespace galewarden
