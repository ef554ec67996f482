#pragma once

#include "RequestLog.h"
#include "Scenario.h"
#include "ShutdownSignal.h"

#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace galewarden::alertservice {

struct ServiceSettings {
    std::filesystem::path dataDirectory;
    // Empty: requests are not written to a file.
    std::filesystem::path requestsLog;
    bool printToStdout = false;
};

// The vendor's alert service and web host on 127.0.0.1, answering from a data directory:
//   GET  /api/alert/c?a=DISTRICTS&…       the warning list of the districts
//   GET  /Pack/<md5>.png?n=…&v=…           a signal picture
//   GET  /Galewarden/Info/n[?p=PROVINCE]   the district list
//   GET  /Download/Galewarden/latest.ini   the version file, and Galewarden.zip beside it
//   POST /control/scenario                 selects the scenario named by the body
// The scenario ("default" at first) picks the data set or makes the vendor routes fail.
class AlertService {
  public:
    explicit AlertService(ServiceSettings settings);
    ~AlertService();
    AlertService(const AlertService&) = delete;
    AlertService& operator=(const AlertService&) = delete;

    // Listens on 127.0.0.1:port (0 picks a free port) and serves on threads of its own. Returns
    // the port, or 0 when it cannot listen. A service is started once.
    int start(int port);
    // Stops listening and waits for the handlers, including stalled ones, to end.
    void stop();

    // False, leaving the scenario as it was, for an unknown name.
    bool selectScenario(std::string_view name);
    Scenario scenario() const;
    std::vector<std::string> requests() const { return log_.lines(); }

  private:
    httplib::Server::HandlerResponse beforeRouting(const httplib::Request& request,
                                                   httplib::Response& response);
    void addVendorRoutes();
    void addControlRoutes();
    void addFeedRoutes();
    void answerWarningList(const httplib::Request& request, httplib::Response& response) const;
    void answerPicture(const httplib::Request& request, httplib::Response& response) const;
    void answerDistrictList(const httplib::Request& request, httplib::Response& response) const;
    void answerDownload(const httplib::Request& request, httplib::Response& response) const;
    void answerScenarioChoice(const httplib::Request& request, httplib::Response& response);

    const ServiceSettings settings_;
    RequestLog log_;
    ShutdownSignal shutdown_;
    mutable std::mutex scenarioMutex_;
    Scenario scenario_{"default", Failure::None};
    std::atomic<bool> slowAnswerGiven_{false};
    httplib::Server server_;
    std::thread listener_;
};

}  // namespace galewarden::alertservice
