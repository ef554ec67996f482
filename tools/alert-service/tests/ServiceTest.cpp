#include "AlertService.h"
#include "PublishInstant.h"

#include "core/text/CodePage.h"
#include "core/text/Md5.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <rapidjson/document.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace galewarden::alertservice {
namespace {

constexpr char kData[] = GALEWARDEN_ALERT_SERVICE_DATA;

// The districts as the program sends them: UTF-8, percent-encoded, the commas left as they are.
std::string listPath(const std::string& districts) {
    std::string encoded;
    for (const unsigned char c : districts) {
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", c);
        encoded += c >= 0x80 ? std::string(escape) : std::string(1, static_cast<char>(c));
    }
    return "/api/alert/c?a=" + encoded + "&v=1.0.9.4";
}

struct Listed {
    std::string title;
    std::string time;
};

// The warnings of a list answer; nullopt when it is not {"data":[…]} with text members.
std::optional<std::vector<Listed>> warningsOf(const std::string& body) {
    rapidjson::Document answer;
    answer.Parse(body.c_str());
    if (answer.HasParseError() || !answer.IsObject() || !answer.HasMember("data") ||
        !answer["data"].IsArray()) {
        return std::nullopt;
    }
    std::vector<Listed> warnings;
    for (const auto& w : answer["data"].GetArray()) {
        for (const char* member : {"id", "title", "content", "time"}) {
            if (!w.HasMember(member) || !w[member].IsString()) {
                return std::nullopt;
            }
        }
        warnings.push_back({w["title"].GetString(), w["time"].GetString()});
    }
    return warnings;
}

bool allTitlesContain(const std::vector<Listed>& warnings, const std::string& text) {
    return std::all_of(warnings.begin(), warnings.end(),
                       [&](const Listed& w) { return w.title.find(text) != std::string::npos; });
}

class AlertServiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        port_ = service_.start(0);
        ASSERT_NE(port_, 0);
    }

    httplib::Client client() const {
        httplib::Client client("127.0.0.1", port_);
        client.set_url_encode(false);
        client.set_read_timeout(10);
        return client;
    }

    std::vector<Listed> list(const std::string& districts) const {
        const auto result = client().Get(listPath(districts));
        EXPECT_TRUE(result && result->status == 200);
        return result ? warningsOf(result->body).value_or(std::vector<Listed>{})
                      : std::vector<Listed>{};
    }

    void select(const std::string& scenario) const {
        const auto result = client().Post("/control/scenario", scenario, "text/plain");
        ASSERT_TRUE(result && result->status == 200) << scenario;
    }

    AlertService service_{{kData, {}, false}};
    int port_ = 0;
};

TEST_F(AlertServiceTest, ListForBeijingHoldsOnlyBeijingWarningsNewestFirst) {
    const std::string path = listPath("北京市");
    const auto result = client().Get(path);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type").rfind("application/json", 0), 0u);
    const auto warnings = warningsOf(result->body);
    ASSERT_TRUE(warnings && !warnings->empty());
    EXPECT_TRUE(allTitlesContain(*warnings, "北京市"));

    for (std::size_t i = 1; i < warnings->size(); ++i) {
        const auto newer = publishInstant((*warnings)[i - 1].time);
        const auto older = publishInstant((*warnings)[i].time);
        ASSERT_TRUE(newer && older) << (*warnings)[i].time;
        EXPECT_GE(*newer, *older) << (*warnings)[i].title;
    }
    const auto position = [&](const std::string& part) {
        return std::find_if(warnings->begin(), warnings->end(), [&](const Listed& w) {
            return w.title.find(part) != std::string::npos;
        });
    };
    EXPECT_LT(position("北京市气象台解除暴雨蓝色"), position("发布暴雨蓝色"));
    EXPECT_EQ(service_.requests().back(), "GET " + path);
}

TEST_F(AlertServiceTest, DistrictsSelectByHeadline) {
    const auto national = list("中央气象台");
    const auto beijing = list("北京市");
    EXPECT_FALSE(national.empty());
    EXPECT_TRUE(allTitlesContain(national, "中央气象台"));
    EXPECT_EQ(list("北京市,中央气象台").size(), national.size() + beijing.size());
    EXPECT_TRUE(list(",,").empty());
    EXPECT_TRUE(list("").empty());
}

TEST_F(AlertServiceTest, ServesPicturesByTheDigestOfTheirGbName) {
    const std::string digest = md5Hex(gbFromUtf8("暴雨蓝"));
    const auto picture = client().Get("/Pack/" + digest + ".png?n=%E6%9A%B4%E9%9B%A8%E8%93%9D&v=1");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->status, 200);
    EXPECT_EQ(picture->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(picture->body.rfind("\x89PNG\r\n\x1a\n", 0), 0u);

    std::string upper = digest;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    for (const std::string& unknown : {md5Hex(gbFromUtf8("龙卷风")), upper}) {
        const auto missing = client().Get("/Pack/" + unknown + ".png");
        ASSERT_TRUE(missing);
        EXPECT_EQ(missing->status, 404) << unknown;
    }
}

TEST_F(AlertServiceTest, ServesDistrictListVersionFileAndArchive) {
    const auto beijing = client().Get("/Galewarden/Info/n?p=%E5%8C%97%E4%BA%AC%E5%B8%82");
    const auto all = client().Get("/Galewarden/Info/n");
    ASSERT_TRUE(beijing && all);
    rapidjson::Document some;
    rapidjson::Document every;
    some.Parse(beijing->body.c_str());
    every.Parse(all->body.c_str());
    ASSERT_TRUE(some.IsObject() && some["areas"].IsArray() && every.IsObject());
    ASSERT_FALSE(some["areas"].Empty());
    for (const auto& area : some["areas"].GetArray()) {
        EXPECT_STREQ(area["province"].GetString(), "北京市");
    }
    EXPECT_GT(every["areas"].Size(), some["areas"].Size());

    const auto version = client().Get("/Download/Galewarden/latest.ini?v=1.0.9.4&_=42");
    const auto archive = client().Get("/Download/Galewarden/Galewarden.zip");
    ASSERT_TRUE(version && archive);
    EXPECT_NE(version->body.find("[NewVer]"), std::string::npos);
    EXPECT_NE(version->body.find("Ver="), std::string::npos);
    EXPECT_EQ(archive->body.rfind("PK\x03\x04", 0), 0u);
}

TEST_F(AlertServiceTest, ScenariosShapeTheAnswers) {
    const auto original = client().Get(listPath("北京市,中央气象台"));
    ASSERT_TRUE(original);
    struct Case {
        const char* scenario;
        int status;
        const char* contentType;
        bool jsonBody;
    };
    for (const Case& c :
         {Case{"empty-list", 200, "application/json", true},
          Case{"http500", 500, "application/json", true},
          Case{"html-error", 502, "text/html", false}, Case{"empty", 200, "", false},
          Case{"waf", 200, "text/html", false}, Case{"truncated", 200, "application/json", false},
          Case{"huge", 200, "text/plain", false}}) {
        select(c.scenario);
        const auto result = client().Get(listPath("北京市"));
        ASSERT_TRUE(result) << c.scenario;
        EXPECT_EQ(result->status, c.status) << c.scenario;
        EXPECT_EQ(result->get_header_value("Content-Type").rfind(c.contentType, 0), 0u);
        rapidjson::Document body;
        body.Parse(result->body.c_str());
        EXPECT_EQ(!body.HasParseError(), c.jsonBody) << c.scenario;
    }

    select("drop");
    const auto dropped = client().Get(listPath("北京市"));
    EXPECT_FALSE(dropped);

    select("stall");
    httplib::Client impatient("127.0.0.1", port_);
    impatient.set_read_timeout(1);
    const auto stalled = impatient.Get(listPath("北京市"));
    ASSERT_FALSE(stalled);
    EXPECT_EQ(stalled.error(), httplib::Error::Read);

    select("alternate");
    const auto changed = client().Get(listPath("北京市,中央气象台"));
    ASSERT_TRUE(changed && warningsOf(changed->body));
    EXPECT_NE(changed->body, original->body);
}

TEST_F(AlertServiceTest, RefusesUnknownScenarioNames) {
    for (const std::string name : {"bogus", "../alerts/default", ""}) {
        const auto result = client().Post("/control/scenario", name, "text/plain");
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 400) << name;
    }
    EXPECT_EQ(service_.scenario().name, "default");
    EXPECT_FALSE(list("北京市").empty());
}

TEST_F(AlertServiceTest, StopEndsAStalledRequest) {
    select("stall");
    std::optional<bool> answered;
    std::thread waiting([&] {
        httplib::Client patient("127.0.0.1", port_);
        patient.set_read_timeout(3600);
        answered = static_cast<bool>(patient.Get("/api/alert/c?a=x"));
    });
    while (service_.requests().back() != "GET /api/alert/c?a=x") {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    service_.stop();
    waiting.join();
    EXPECT_EQ(answered, false);
}

TEST(PublishInstantTest, ReadsTheFeedsTimeForms) {
    constexpr std::int64_t kSixthEightAm = 1791244800;  // 2026-10-06 08:00 Beijing time
    const std::vector<std::pair<const char*, std::optional<std::int64_t>>> cases = {
        {"1791244800000", kSixthEightAm},
        {"1791244800", kSixthEightAm},
        {"2026/10/06 08:00", kSixthEightAm},
        {"2026-10-06 08:00:00", kSixthEightAm},
        {"2026-10-06T08:00:00", kSixthEightAm},
        {"2026-10-06T00:00:00Z", kSixthEightAm},
        {"2026-10-06T08:00:00.000+08:00", kSixthEightAm},
        {"2026-10-05T19:00:00-05:00", kSixthEightAm},
        {"2026-02-30 10:00", std::nullopt},
        {"2026-10-06 24:00", std::nullopt},
        {"2026-10-06", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(publishInstant(text), expected) << text;
    }
}

// The executable as scripts use it: the port on its first line, one line per request, a clean
// exit on SIGTERM.
TEST(AlertServiceProgramTest, AnnouncesItsPortLogsRequestsAndStopsOnSigterm) {
    const auto log = std::filesystem::temp_directory_path() /
                     ("alert-service-requests-" + std::to_string(::getpid()) + ".log");
    std::filesystem::remove(log);
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args = {GALEWARDEN_ALERT_SERVICE_BINARY, "--port", "0",
                                     "--requests-log", log.string()};
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    FILE* stdoutOfService = ::fdopen(out[0], "r");
    char line[256] = {};

    ASSERT_NE(std::fgets(line, sizeof line, stdoutOfService), nullptr);
    int port = 0;
    ASSERT_EQ(std::sscanf(line, "listening on http://127.0.0.1:%d", &port), 1) << line;
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false);
    const auto result = client.Get(listPath("北京市"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    ASSERT_NE(std::fgets(line, sizeof line, stdoutOfService), nullptr);
    EXPECT_EQ(std::string(line), "GET " + listPath("北京市") + "\n");

    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::fclose(stdoutOfService);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::ifstream logged(log);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(logged), {}),
              "GET " + listPath("北京市") + "\n");
    std::filesystem::remove(log);
}

}  // namespace
}  // namespace galewarden::alertservice
