#include "Scenario.h"

#include <algorithm>
#include <array>
#include <utility>

namespace galewarden::alertservice {
namespace {

constexpr std::array<std::pair<std::string_view, Failure>, 9> kFailures{{
    {"http500", Failure::Http500},
    {"html-error", Failure::HtmlError},
    {"empty", Failure::EmptyBody},
    {"stall", Failure::Stall},
    {"drop", Failure::Drop},
    {"waf", Failure::Firewall},
    {"truncated", Failure::Truncated},
    {"huge", Failure::Huge},
    {"slow-first", Failure::SlowFirst},
}};

bool isPlainName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

}  // namespace

std::filesystem::path dataSetFile(const std::filesystem::path& dataDirectory,
                                  std::string_view name) {
    return dataDirectory / "alerts" / (std::string(name) + ".json");
}

std::optional<Scenario> findScenario(const std::filesystem::path& dataDirectory,
                                     std::string_view name) {
    if (!isPlainName(name)) {
        return std::nullopt;
    }
    for (const auto& [failureName, failure] : kFailures) {
        if (name == failureName) {
            return Scenario{std::string(name), failure};
        }
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(dataSetFile(dataDirectory, name), error)) {
        return std::nullopt;
    }
    return Scenario{std::string(name), Failure::None};
}

}  // namespace galewarden::alertservice
