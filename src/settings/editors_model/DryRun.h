#pragma once

#include <cstddef>
#include <stop_token>
#include <string>
#include <vector>

namespace galewarden {

class HttpClient;
class JsonRuleFields;

// What one trial pass of the rules found.
struct DryRunReport {
    enum class Result { processed, noAnswer, unusableAnswer, stopped, noCopy };
    Result result = Result::noCopy;
    std::string url;     // the list request sent
    std::string status;  // the status line the pass left (GB18030)
    // The warnings the rules walk in the answer, up to the first without an identifier.
    std::size_t walked = 0;
    std::vector<std::string> keptTitles;  // GB18030
};

// One pass of the custom JSON source with the rules as the window holds them: the configured
// source fetched once, its warnings extracted and classified as the program would, on a state,
// a view and a configuration copy of its own. Nothing of the running program is read or
// written besides its configuration file, which is only copied. Runs on a worker thread; a
// stop request ends it promptly.
DryRunReport runDryRun(const HttpClient& http, const std::string& configPath,
                       const JsonRuleFields& rules, std::stop_token stop = {});

// The report as the window shows it (GB18030, lines ended by CR LF).
std::string dryRunReportText(const DryRunReport& report);

}  // namespace galewarden
