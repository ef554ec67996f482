#include "AlertService.h"

#include "DistrictList.h"
#include "FailureAnswers.h"
#include "SignalPictures.h"
#include "WarningList.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <iterator>

namespace galewarden::alertservice {
namespace {

constexpr char kHost[] = "127.0.0.1";
constexpr char kJson[] = "application/json; charset=utf-8";

// The service's own fault (a broken data file), told apart from the scenarios' made-up failures
// by its message and reported on stderr as well.
void answerDataFault(httplib::Response& response, const std::string& what) {
    std::cerr << "alert service: " << what << std::endl;
    response.status = 500;
    response.set_content(R"({"code":500,"message":"fixture data unusable"})", kJson);
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isLoopback(const std::string& address) {
    return address == "127.0.0.1" || address == "::1" || address == "::ffff:127.0.0.1";
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

AlertService::AlertService(ServiceSettings settings)
    : settings_(std::move(settings)), log_(settings_.printToStdout, settings_.requestsLog) {
    // Short idle and read limits keep a lingering client from delaying stop().
    server_.set_keep_alive_timeout(1);
    server_.set_read_timeout(2);
    server_.set_pre_routing_handler(
        [this](const auto& request, auto& response) { return beforeRouting(request, response); });
    addVendorRoutes();
    addControlRoutes();
}

AlertService::~AlertService() {
    stop();
}

int AlertService::start(int port) {
    if (listener_.joinable()) {
        return 0;
    }
    const int bound = port == 0 ? server_.bind_to_any_port(kHost)
                                : (server_.bind_to_port(kHost, port) ? port : 0);
    if (bound <= 0) {
        return 0;
    }
    log_.announce("listening on http://" + std::string(kHost) + ":" + std::to_string(bound));
    listener_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() only reaches a server that already runs its accept loop.
    while (!server_.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return bound;
}

void AlertService::stop() {
    shutdown_.raise();
    if (listener_.joinable()) {
        server_.stop();
        listener_.join();
    }
}

bool AlertService::selectScenario(std::string_view name) {
    auto found = findScenario(settings_.dataDirectory, name);
    if (!found) {
        return false;
    }
    std::lock_guard lock(scenarioMutex_);
    scenario_ = std::move(*found);
    slowAnswerGiven_ = false;
    return true;
}

Scenario AlertService::scenario() const {
    std::lock_guard lock(scenarioMutex_);
    return scenario_;
}

httplib::Server::HandlerResponse AlertService::beforeRouting(const httplib::Request& request,
                                                             httplib::Response& response) {
    log_.record(request.method + " " + request.target);
    const Failure failure = scenario().failure;
    if (failure == Failure::None || request.path.starts_with("/control/")) {
        return httplib::Server::HandlerResponse::Unhandled;
    }
    if (failure == Failure::SlowFirst) {
        if (!slowAnswerGiven_.exchange(true)) {
            shutdown_.waitFor(std::chrono::seconds(5));
        }
        return httplib::Server::HandlerResponse::Unhandled;
    }
    answerWithFailure(failure, request, response, shutdown_);
    return httplib::Server::HandlerResponse::Handled;
}

void AlertService::addVendorRoutes() {
    server_.Get("/api/alert/c", [this](const auto& request, auto& response) {
        answerWarningList(request, response);
    });
    server_.Get(R"(/Pack/([0-9a-f]{32})\.png)",
                [this](const auto& request, auto& response) { answerPicture(request, response); });
    server_.Get("/Galewarden/Info/n", [this](const auto& request, auto& response) {
        answerDistrictList(request, response);
    });
    server_.Get(R"(/Download/Galewarden/(latest\.ini|Galewarden\.zip))",
                [this](const auto& request, auto& response) { answerDownload(request, response); });
    addFeedRoutes();
}

// The answers of the public national feeds, at their own paths, whatever the query.
void AlertService::addFeedRoutes() {
    for (const auto& [path, file] : {std::pair{"/api/map/alarm", "national-map.json"},
                                     std::pair{"/rest/findAlarm", "nmc.json"},
                                     std::pair{"/data/alarm_list_all.html", "12379.json"}}) {
        server_.Get(path, [this, file = std::string(file)](const auto&, auto& response) {
            const std::string bytes = readBytes(settings_.dataDirectory / "feeds" / file);
            if (bytes.empty()) {
                answerDataFault(response, "feeds/" + file + " is missing");
                return;
            }
            response.set_content(bytes, kJson);
        });
    }
}

void AlertService::addControlRoutes() {
    server_.Post("/control/scenario", [this](const auto& request, auto& response) {
        answerScenarioChoice(request, response);
    });
    server_.Get("/control/scenario", [this](const auto&, auto& response) {
        response.set_content(scenario().name + "\n", "text/plain");
    });
}

void AlertService::answerWarningList(const httplib::Request& request,
                                     httplib::Response& response) const {
    const std::string dataSet = scenario().dataSet();
    const auto answer = warningListAnswer(dataSetFile(settings_.dataDirectory, dataSet),
                                          requestedDistricts(request.get_param_value("a")));
    if (!answer) {
        answerDataFault(response, "data set \"" + dataSet + "\" is not a {\"data\":[…]} file");
        return;
    }
    response.set_content(*answer, kJson);
}

void AlertService::answerPicture(const httplib::Request& request,
                                 httplib::Response& response) const {
    const std::string picture =
        pictureByDigest(settings_.dataDirectory / "pictures", request.matches[1].str());
    if (picture.empty()) {
        response.status = 404;
        return;
    }
    response.set_content(picture, "image/png");
}

void AlertService::answerDistrictList(const httplib::Request& request,
                                      httplib::Response& response) const {
    const auto answer = districtListAnswer(settings_.dataDirectory / "districts.json",
                                           request.get_param_value("p"));
    if (!answer) {
        answerDataFault(response, "districts.json is not an {\"areas\":[…]} file");
        return;
    }
    response.set_content(*answer, kJson);
}

void AlertService::answerDownload(const httplib::Request& request,
                                  httplib::Response& response) const {
    const std::string name = request.matches[1].str();
    const std::string bytes = readBytes(settings_.dataDirectory / "download" / name);
    if (bytes.empty()) {
        response.status = 404;
        return;
    }
    response.set_content(bytes, name.ends_with(".zip") ? "application/zip" : "text/plain");
}

void AlertService::answerScenarioChoice(const httplib::Request& request,
                                        httplib::Response& response) {
    if (!isLoopback(request.remote_addr)) {
        response.status = 403;
        return;
    }
    const std::string name = trimmed(request.body);
    if (!selectScenario(name)) {
        response.status = 400;
        response.set_content("unknown scenario: " + name + "\n", "text/plain");
        return;
    }
    response.set_content("scenario " + name + "\n", "text/plain");
}

}  // namespace galewarden::alertservice
