#include "settings/editors_model/DryRunConfiguration.h"

#include <random>
#include <system_error>

#include "core/config/ConfigStore.h"
#include "core/platform/FileSystem.h"
#include "settings/editors_model/JsonRuleFields.h"

namespace galewarden {
namespace {

// A fresh folder under the system's temporary one; empty when none could be made.
std::filesystem::path newTemporaryFolder() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) {
        return {};
    }
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::filesystem::path folder =
            base / ("galewarden-dry-run-" + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directory(folder, error)) {
            return folder;
        }
    }
    return {};
}

}  // namespace

DryRunConfiguration::DryRunConfiguration(const std::string& configPath, const JsonRuleFields& rules)
    : folder_(newTemporaryFolder()) {
    ready_ = !folder_.empty() && prepare(configPath, rules);
}

DryRunConfiguration::~DryRunConfiguration() {
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

bool DryRunConfiguration::prepare(const std::string& configPath, const JsonRuleFields& rules) {
    path_ = pathText(folder_ / "Galewarden.ini");
    std::string bytes;
    if (readFile(configPath, bytes) == FileState::Unreadable || !replaceFile(path_, bytes)) {
        return false;
    }
    ConfigStore copy(path_);
    return rules.saveTo(copy) && copy.writeFlag(keys::kUseVendor, false) &&
           copy.writeFlag(keys::kSignAuto, false) && copy.writeFlag(keys::kHtmlStart, false) &&
           copy.writeFlag(keys::kPluginStart, false) && copy.writeFlag(keys::kSaveJson, false);
}

}  // namespace galewarden
