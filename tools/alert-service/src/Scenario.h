#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace galewarden::alertservice {

// How the vendor routes answer while a scenario is selected.
enum class Failure {
    None,       // the data set of the scenario's name
    Http500,    // "http500": status 500 with a JSON body
    HtmlError,  // "html-error": a proxy's HTML error page, status 502
    EmptyBody,  // "empty": status 200 and no body
    Stall,      // "stall": accepts and never answers
    Drop,       // "drop": closes the connection without an answer
    Firewall,   // "waf": a firewall's human-verification page, status 200
    Truncated,  // "truncated": the first half of a JSON answer, status 200
    Huge,       // "huge": 40 MB of text, status 200
    SlowFirst,  // "slow-first": the first request waits five seconds, then all is as "default"
};

struct Scenario {
    std::string name;
    Failure failure = Failure::None;

    // The data set the warning list comes from.
    std::string dataSet() const { return failure == Failure::SlowFirst ? "default" : name; }
};

// The scenario of this name: one of the failure modes, or a data set "alerts/NAME.json" in the
// data directory. Names are letters, digits, "-" and "_", so a name never leaves that folder.
std::optional<Scenario> findScenario(const std::filesystem::path& dataDirectory,
                                     std::string_view name);

std::filesystem::path dataSetFile(const std::filesystem::path& dataDirectory,
                                  std::string_view name);

}  // namespace galewarden::alertservice
