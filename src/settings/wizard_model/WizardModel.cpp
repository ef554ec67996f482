#include "settings/wizard_model/WizardModel.h"

#include <algorithm>
#include <utility>

#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "core/text/TextToNumber.h"
#include "settings/wizard_model/WizardSummary.h"

namespace galewarden {
namespace {

std::string joinedWithSpaces(const DistrictSelection& names) {
    std::string joined;
    for (const std::string& name : names) {
        if (&name != &names.front()) {
            joined += ' ';
        }
        joined += name;
    }
    return joined;
}

}  // namespace

WizardModel::WizardModel(WizardValues values) : values_(std::move(values)) {}

void WizardModel::forward() {
    if (!onLastPage()) {
        goTo(page_ + 1);
    }
}

void WizardModel::back() {
    if (page_ > 0) {
        goTo(page_ - 1);
    }
}

void WizardModel::startSetup() {
    goTo(1);
}

void WizardModel::goTo(int page) {
    page_ = page;
    if (onLastPage()) {
        // A comma never occurs inside a GB18030 character, so bytes can be replaced alone.
        std::replace(values_.districts.begin(), values_.districts.end(), ',', ' ');
    }
}

std::string WizardModel::forwardCaption() const {
    if (page_ == 0) {
        return gbFromUtf8("&S.开始");
    }
    return gbFromUtf8(onLastPage() ? "&D.完成" : "&N.下一步");
}

bool WizardModel::backEnabled() const {
    return page_ != 0;
}

std::string WizardModel::pageCounter() const {
    return std::to_string(page_ + 1) + " / " + std::to_string(kWizardPageCount);
}

std::string WizardModel::summary() const {
    return wizardSummary(values_, updatesFromPackages_);
}

DistrictSelection WizardModel::districtNames() const {
    DistrictSelection names = splitText(values_.districts, " ");
    std::erase(names, std::string());
    return names;
}

DistrictChoice WizardModel::chooseDistricts(const DistrictSelection& names) {
    if (names.size() > kMostWizardDistricts) {
        return DistrictChoice::tooMany;
    }
    std::string joined = joinedWithSpaces(names);
    if (joined.empty()) {
        return DistrictChoice::unchanged;
    }
    if (joined.size() > kMostWizardDistrictBytes) {
        return DistrictChoice::tooLong;
    }
    values_.districts = std::move(joined);
    return DistrictChoice::replaced;
}

IconPlacement WizardModel::placement() const {
    return IconPlacement{textToInteger(values_.width), textToInteger(values_.height),
                         textToInteger(values_.top), textToInteger(values_.right)};
}

bool WizardModel::takePlacement(const IconPlacement& placement) {
    if (!placement.valid()) {
        return false;
    }
    values_.width = std::to_string(placement.width);
    values_.height = std::to_string(placement.height);
    values_.top = std::to_string(placement.top);
    values_.right = std::to_string(placement.right);
    return true;
}

}  // namespace galewarden
