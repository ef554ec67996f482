#pragma once

#include <filesystem>
#include <string>

namespace galewarden {

class JsonRuleFields;

// A copy of the program's configuration in a temporary folder of its own, with the rules as the
// window holds them, the custom JSON source chosen and every output and picture download
// switched off: a pass on it reads what the program would read and changes nothing of the
// program's. The folder goes with the object.
class DryRunConfiguration {
  public:
    DryRunConfiguration(const std::string& configPath, const JsonRuleFields& rules);
    ~DryRunConfiguration();
    DryRunConfiguration(const DryRunConfiguration&) = delete;
    DryRunConfiguration& operator=(const DryRunConfiguration&) = delete;

    // False when the folder or the copy could not be made.
    bool ready() const { return ready_; }
    // The copy's path (program text).
    const std::string& path() const { return path_; }

  private:
    bool prepare(const std::string& configPath, const JsonRuleFields& rules);

    std::filesystem::path folder_;
    std::string path_;
    bool ready_ = false;
};

}  // namespace galewarden
