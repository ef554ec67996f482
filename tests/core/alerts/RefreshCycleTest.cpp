#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "core/alerts/RefreshCycle.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/RefreshWorker.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "support/FakeService.h"
#include "support/LoopbackServer.h"
#include "support/RecordingView.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;
using Calls = std::vector<std::string>;

const char* const kBeijingAnswer = R"({"data":[
 {"id":"110000_20260720200000","title":"北京市气象台发布暴雨蓝色预警信号",
  "content":"预计未来6小时内将出现强降雨。","time":"2026-07-20 20:00:00"},
 {"id":"110000_20260720190000","title":"北京市气象台发布大风黄色预警信号",
  "content":"预计将出现8级以上大风。","time":"2026-07-20 19:00:00"}]})";

const char* const kSummary =
    "共有2种类型的2个预警正生效中。\r\n蓝色预警1个，黄色预警1个，橙色预警0个，红色预警0个。";

class RefreshCycleTest : public ::testing::Test {
  protected:
    RefreshCycleTest() {
        ::setenv("GALEWARDEN_ALERT_SERVICE", service.base().c_str(), 1);
        store.writeText("Sign", "Auto", "0");
        state.settingsChanged = true;
    }
    ~RefreshCycleTest() override { ::unsetenv("GALEWARDEN_ALERT_SERVICE"); }

    // A custom JSON source on the fake service, with these [JSON] rules.
    void useCustomSource(std::initializer_list<std::pair<const char*, std::string>> rules) {
        store.writeText("Source", "UseKVX", "0");
        store.writeQuoted("JSON", "Host", service.base());
        for (const auto& [key, value] : rules) {
            store.writeQuoted("JSON", key, value);
        }
    }

    RefreshCycle::Outcome runPass() {
        view.calls.clear();
        return cycle.run();
    }

    std::vector<std::string> entryNames() const {
        std::vector<std::string> names;
        for (const DisplayEntry& entry : view.lastResult->display->entries) {
            names.push_back(utf8(entry.signalName));
        }
        return names;
    }

    test::TestHome home;
    test::FakeService service;
    ConfigStore store;
    HttpClient http{HttpTimeouts{std::chrono::seconds(5), std::chrono::seconds(5)}};
    const Guidance guidance;
    RefreshState state;
    test::RecordingView view;
    RefreshPlugin plugin;
    PassServices services{store, http, guidance, plugin};
    RefreshCycle cycle{services, state, view};
};

TEST_F(RefreshCycleTest, ProcessedPassRunsEveryStepInOrder) {
    service.answer(kBeijingAnswer);
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::processed);
    EXPECT_EQ(view.calls,
              (Calls{"interval: 0", "status: 正在读取配置文件 ..", "status: 正在下载预警数据 ..",
                     "status: 正在解析预警数据 ..", std::string("status: ") + kSummary, "result",
                     "visibility", "interval: 120000", "icon settings"}));
    EXPECT_EQ(service.requests(),
              (Calls{"/api/alert/c?a=%E5%8C%97%E4%BA%AC%E5%B8%82,"
                     "%E4%B8%AD%E5%A4%AE%E6%B0%94%E8%B1%A1%E5%8F%B0&v=1.0.9.4"}));
    ASSERT_TRUE(view.lastResult);
    EXPECT_EQ(view.lastResult->highestColour, 3);
    EXPECT_EQ(utf8(view.lastResult->alertList), "var Alerts = new Array(\"暴雨蓝\",\"大风黄\");");
    EXPECT_EQ(utf8(view.lastResult->balloonTitle), "较重：气象灾害预警信息变更");
    EXPECT_EQ(entryNames(), (Calls{"暴雨蓝", "大风黄"}));
    EXPECT_TRUE(view.lastResult->anyKept);
    EXPECT_TRUE(state.firstCycleDone);
    EXPECT_FALSE(state.settingsChanged);
}

TEST_F(RefreshCycleTest, UnchangedAnswerOnlyRestoresTheStatusUnlessSettingsChanged) {
    service.answer(kBeijingAnswer);
    runPass();
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::unchanged);
    EXPECT_EQ(view.calls,
              (Calls{"interval: 0", "status: 正在读取配置文件 ..", "status: 正在下载预警数据 ..",
                     "interval: 120000", std::string("status: ") + kSummary}));
    state.settingsChanged = true;
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::processed);
}

TEST_F(RefreshCycleTest, FailuresShowTheAnswerOrTheNetworkErrorInRed) {
    store.writeText("General", "RetryTime", "10");
    service.answer(kBeijingAnswer);
    runPass();

    service.answer("Bad Gateway:\r\nupstream timed out", 502);
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::failed);
    EXPECT_EQ(view.calls.back(), "error: Bad Gateway:\r\nupstream timed out");
    EXPECT_EQ(utf8(state.unexpectedDataText()), "Bad Gateway:upstream timed out");
    EXPECT_EQ(view.calls[view.calls.size() - 2], "interval: 30000");
    EXPECT_EQ(entryNames().size(), 2u);  // no result: the display keeps the last good pass

    service.answer(kBeijingAnswer);
    state.settingsChanged = true;
    runPass();
    service.answer("");
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::failed);
    EXPECT_EQ(view.calls.back(), std::string("error: 【网络错误】") + kSummary);
}

// Whatever failed in between, the summary of the last processed pass is what comes back, and
// the view learns when an answer last could be used.
TEST_F(RefreshCycleTest, TheLastSummaryOutlivesFailures) {
    struct Step {
        std::string answer;
        RefreshCycle::Outcome outcome;
        std::string status;
    };
    const std::string summary = std::string("status: ") + kSummary;
    const std::string networkError = std::string("error: 【网络错误】") + kSummary;
    const Step steps[] = {
        {"", RefreshCycle::Outcome::failed, "error: 【网络错误】"},
        {kBeijingAnswer, RefreshCycle::Outcome::processed, summary},
        {"", RefreshCycle::Outcome::failed, networkError},
        {"", RefreshCycle::Outcome::failed, networkError},
        {kBeijingAnswer, RefreshCycle::Outcome::unchanged, summary},
        {"<p>维护中</p>", RefreshCycle::Outcome::failed, "error: <p>维护中</p>"},
        {kBeijingAnswer, RefreshCycle::Outcome::unchanged, summary},
    };
    std::optional<std::chrono::system_clock::time_point> lastGood;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.status);
        service.answer(step.answer);
        EXPECT_EQ(runPass(), step.outcome);
        const auto status = std::find_if(view.calls.rbegin(), view.calls.rend(), [](auto& call) {
            return call.starts_with("status: ") || call.starts_with("error: ");
        });
        ASSERT_NE(status, view.calls.rend());
        EXPECT_EQ(*status, step.status);
        ASSERT_TRUE(view.lastHealth);
        const bool failed = step.outcome == RefreshCycle::Outcome::failed;
        EXPECT_EQ(view.lastHealth->failed, failed);
        if (failed) {
            EXPECT_EQ(view.lastHealth->lastGoodFetch, lastGood);
        } else {
            ASSERT_TRUE(view.lastHealth->lastGoodFetch);
            EXPECT_GE(view.lastHealth->lastGoodFetch, lastGood);
            lastGood = view.lastHealth->lastGoodFetch;
        }
    }
}

TEST_F(RefreshCycleTest, UnreachableServiceIsANetworkError) {
    service.stop();
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::failed);
    EXPECT_EQ(view.calls.back(), "error: 【网络错误】");
    EXPECT_TRUE(state.responseText().empty());
}

TEST_F(RefreshCycleTest, VendorOptionsJoinTheRequestInTheirOrder) {
    store.writeText("KVXSource", "e", "0.5");
    store.writeText("KVXSource", "i", "2");
    store.writeText("KVXSource", "l", "0");
    store.writeText("KVXSource", "n", "1");
    store.writeQuoted("Source", "Districts", gb("北京市"));
    service.answer(kBeijingAnswer);
    runPass();
    EXPECT_EQ(service.requests(),
              (Calls{"/api/alert/c?a=%E5%8C%97%E4%BA%AC%E5%B8%82&e=0.5&i=2&n=1&v=1.0.9.4"}));
}

TEST_F(RefreshCycleTest, CustomSourceWithDetailsAndAPrefixToSkip) {
    useCustomSource({{"Main", "list?areas=%s"},
                     {"Detail", "detail?id=%s"},
                     {"Array", "result.list"},
                     {"identifier", "code"},
                     {"headline", "head"},
                     {"D_sender", "office"},
                     {"D_description", "text"},
                     {"D_publishTime", "issued"}});
    store.writeText("JSON", "UseDetail", "1");
    store.writeText("JSON", "JsonStartPos", "4");
    store.writeText("General", "SaveJson", "1");
    store.writeQuoted("General", "JsonLink", home.text() + "/saved.json");
    const std::string list =
        R"({"result":{"list":[{"code":"w1","head":"北京市气象台发布高温橙色预警"}]}})";
    service.answer("var " + list);
    service.detail("/detail?id=w1",
                   R"({"result":{"list":{"office":"北京市气象台","text":"最高气温将升至37℃。",
                   "issued":"1595235600000"}}})");

    EXPECT_EQ(runPass(), RefreshCycle::Outcome::processed);
    ASSERT_TRUE(view.lastResult);
    ASSERT_EQ(view.lastResult->kept.size(), 1u);
    const KeptAlert& alert = view.lastResult->kept[0];
    EXPECT_EQ(utf8(alert.signalName), "高温橙");
    EXPECT_EQ(utf8(alert.description), "最高气温将升至37℃。");
    EXPECT_EQ(alert.publishTime, "2020/07/20 17:00:00");
    EXPECT_EQ(home.read("saved.json"), list);
    EXPECT_EQ(service.requests()[1], "/detail?id=w1");
}

TEST_F(RefreshCycleTest, DetailWithoutPlaceholderIsNeverFetched) {
    useCustomSource({{"Main", "list"},
                     {"Detail", "detail"},
                     {"Array", "data"},
                     {"identifier", "id"},
                     {"headline", "title"},
                     {"description", "content"},
                     {"publishTime", "time"}});
    store.writeText("JSON", "UseDetail", "1");
    service.answer(kBeijingAnswer);
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::processed);
    EXPECT_EQ(service.requests(), (Calls{"/list"}));
    EXPECT_EQ(view.lastResult->kept.size(), 2u);
}

TEST_F(RefreshCycleTest, HtmlPageReceivesTheWarningsAndTheFailureStage) {
    const std::string page =
        "<script>/* Alert Start *//* Alert End */ /* Stage Start *//* Stage End */</script>";
    home.write("page.html", page);
    store.writeQuoted("HTML", "Location", home.text() + "/page.html");
    store.writeText("HTML", "Start", "1");
    service.answer(kBeijingAnswer);
    runPass();
    EXPECT_EQ(home.read("page.html"),
              "<script>/* Alert Start */var Alerts = new Array(\"暴雨蓝\",\"大风黄\");/* Alert End "
              "*/ /* Stage Start */var Stage = 0;/* Stage End */</script>");
    service.answer("");
    runPass();
    EXPECT_NE(home.read("page.html").find("var Stage = -1;"), std::string::npos);
}

TEST_F(RefreshCycleTest, PluginIsCalledOncePerKeptWarningOldestFirst) {
    std::filesystem::create_directories(home.file("GalewardenDLL"));
    std::filesystem::copy_file(RECORDING_PLUGIN, home.file("GalewardenDLL/RefreshA.so"));
    const std::string log = (home.path() / "plugin.log").string();
    ::setenv("GALEWARDEN_PLUGIN_LOG", log.c_str(), 1);
    store.writeText("DLL", "Start", "1");
    RefreshPlugin installed;
    RefreshCycle withPlugin({store, http, guidance, installed}, state, view);
    service.answer(kBeijingAnswer);
    withPlugin.run();
    withPlugin.run();  // unchanged: no second round of calls
    ::unsetenv("GALEWARDEN_PLUGIN_LOG");
    const std::string path = installed.path();
    EXPECT_EQ(
        home.read("plugin.log"),
        "1\t110000_20260720190000\t2026/07/20 19:00:00\t北京市\t大风黄\t预计将出现8级以上大风。\t" +
            path +
            "\n2\t110000_20260720200000\t2026/07/20 20:00:00\t北京市\t暴雨蓝\t"
            "预计未来6小时内将出现强降雨。\t" +
            path + "\n");
}

TEST_F(RefreshCycleTest, PluginWithoutItsExportEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::filesystem::create_directories(home.file("GalewardenDLL"));
    std::filesystem::copy_file(NO_EXPORT_PLUGIN, home.file("GalewardenDLL/RefreshA.so"));
    store.writeText("DLL", "Start", "1");
    service.answer(kBeijingAnswer);
    EXPECT_EXIT(
        {
            RefreshPlugin installed;
            RefreshCycle withPlugin({store, http, guidance, installed}, state, view);
            withPlugin.run();
        },
        ::testing::ExitedWithCode(255), "GalewardenDLL/RefreshA.so");
}

TEST_F(RefreshCycleTest, StopEndsAPassWaitingOnASilentServer) {
    // Declared before the server, whose handler threads read them until it is gone.
    std::atomic<bool> release{false};
    std::atomic<bool> asked{false};
    test::LoopbackServer silent;
    silent.server().Get(".*", [&](const httplib::Request&, httplib::Response& response) {
        asked = true;
        while (!release) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        response.set_content("{}", "application/json");
    });
    silent.start();
    ::setenv("GALEWARDEN_ALERT_SERVICE", silent.base().c_str(), 1);
    std::atomic<bool> stopped{false};
    RefreshWorker worker(
        [&](std::stop_token stop) { stopped = cycle.run(stop) == RefreshCycle::Outcome::stopped; });
    ASSERT_TRUE(worker.start());
    while (!asked) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(worker.stop(std::chrono::seconds(10)));
    release = true;
    EXPECT_TRUE(stopped);
    // The refresh timer runs again and the status line is as the pass found it.
    EXPECT_EQ(view.calls[view.calls.size() - 2], "interval: 60000");
    EXPECT_EQ(view.calls.back(), "status: ");
}

// A picture server that stalls never holds back the warnings: the pass ends within its picture
// budget with the built-in pictures (this server answers only after the pass), stores none,
// and so tries again at a later pass.
TEST_F(RefreshCycleTest, StallingPicturesNeverHoldThePass) {
    std::mutex mutex;
    std::condition_variable changed;
    bool released = false;
    int asked = 0;
    test::LoopbackServer pictures;  // after what its handlers use, so that it stops first
    pictures.server().Get(".*", [&](const httplib::Request&, httplib::Response& response) {
        std::unique_lock lock(mutex);
        ++asked;
        changed.wait(lock, [&] { return released; });
        response.set_content("not a picture", "image/png");
    });
    pictures.start();
    store.writeText("Sign", "Auto", "1");
    store.writeQuoted("Sign", "URL", pictures.base());
    service.answer(kBeijingAnswer);
    // A client that would wait for the pictures for ever: only the budget ends the pass.
    const HttpClient patient{
        HttpTimeouts{std::chrono::hours(1), std::chrono::hours(1), std::chrono::hours(1)}};
    PassServices budgeted{store, patient, guidance, plugin};
    budgeted.pictureBudget = std::chrono::milliseconds(200);
    RefreshCycle budgetedCycle{budgeted, state, view};

    EXPECT_EQ(budgetedCycle.run(), RefreshCycle::Outcome::processed);
    {
        std::lock_guard lock(mutex);
        EXPECT_GE(asked, 1);
        released = true;
        changed.notify_all();
    }
    EXPECT_EQ(entryNames(), (std::vector<std::string>{"暴雨蓝", "大风黄"}));
    EXPECT_FALSE(std::filesystem::exists(home.file("Pack/暴雨蓝.png")));
    pictures.stop();
}

// A stop while the warnings are being read leaves nothing half done: the next pass with the
// same answer processes it.
TEST_F(RefreshCycleTest, StopDuringExtractionLeavesTheStateAsItWas) {
    useCustomSource({{"Main", "list"},
                     {"Detail", "detail?id=%s"},
                     {"Array", "data"},
                     {"identifier", "id"},
                     {"headline", "title"},
                     {"description", "content"},
                     {"publishTime", "time"}});
    store.writeText("JSON", "UseDetail", "1");
    store.writeQuoted("JSON", "D_description", "content");
    store.writeQuoted("JSON", "D_publishTime", "time");
    for (const char* id : {"110000_20260720200000", "110000_20260720190000"}) {
        service.detail(std::string("/detail?id=") + id,
                       R"({"data":{"content":"有雨。","time":"2026-07-20 20:00"}})");
    }
    service.answer(kBeijingAnswer);
    runPass();  // a first result and status to keep
    ASSERT_EQ(view.calls.back(), "icon settings");
    const StatusLine shown = state.status();
    const auto previous = state.previousResponse;
    state.settingsChanged = true;

    RefreshWorker worker([&](std::stop_token stop) { cycle.run(stop); });
    view.calls.clear();
    service.holdDetails(true);
    ASSERT_TRUE(worker.start());
    service.waitForHeldDetail();
    EXPECT_TRUE(worker.stop(std::chrono::seconds(10)));
    service.holdDetails(false);

    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "result"), 0);
    EXPECT_EQ(state.previousResponse, previous);
    EXPECT_TRUE(state.settingsChanged);
    EXPECT_EQ(state.status().text, shown.text);
    EXPECT_EQ(view.calls.back(), "status: " + utf8(shown.text));
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::processed);
}

TEST_F(RefreshCycleTest, EveryPassCountsAfresh) {
    const std::string tornado = R"({"data":[
 {"id":"1","title":"北京市气象台发布雷电黄色预警信号","content":"局地有龙卷。","time":"2026-07-20"}]})";
    service.answer(tornado);
    runPass();
    state.settingsChanged = true;
    runPass();
    ASSERT_TRUE(view.lastResult);
    EXPECT_EQ(view.lastResult->tornadoCount, 1);
    EXPECT_EQ(view.lastResult->highestColour, 3);
    EXPECT_EQ(std::find(view.calls.begin(), view.calls.end(),
                        "status: （预警存在1龙卷警报）共有1种类型的1个预警正生效中。\r\n"
                        "蓝色预警0个，黄色预警1个，橙色预警0个，红色预警0个。") != view.calls.end(),
              true);
}

TEST_F(RefreshCycleTest, TheResultNamesTheColourOfNewWarningsOnly) {
    store.writeText("Sound", "From", "yellow");
    service.answer(kBeijingAnswer);
    runPass();
    ASSERT_TRUE(view.lastResult);
    EXPECT_EQ(view.lastResult->soundFrom, SoundFrom::yellow);
    EXPECT_EQ(view.lastResult->newColour, 3);

    // The same warnings again, and one of them alone: nothing is new.
    state.settingsChanged = true;
    runPass();
    EXPECT_EQ(view.lastResult->newColour, 0);
    service.answer(R"({"data":[
 {"id":"110000_20260720200000","title":"北京市气象台发布暴雨蓝色预警信号",
  "content":"预计未来6小时内将出现强降雨。","time":"2026-07-20 20:00:00"}]})");
    runPass();
    EXPECT_EQ(view.lastResult->newColour, 0);

    // A failed pass forgets nothing: the yellow one that comes back is new all the same.
    service.answer("not json");
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::failed);
    service.answer(kBeijingAnswer);
    runPass();
    EXPECT_EQ(view.lastResult->newColour, 3);
}

TEST_F(RefreshCycleTest, AHandedOverDisplayNeverChangesAgain) {
    service.answer(kBeijingAnswer);
    runPass();
    const SharedDisplay first = view.lastResult->display;
    service.answer(R"({"data":[]})");
    runPass();
    EXPECT_TRUE(view.lastResult->display->entries.empty());
    ASSERT_EQ(first->entries.size(), 2u);
    EXPECT_EQ(utf8(first->entries[0].signalName), "暴雨蓝");
    EXPECT_FALSE(first->entries[0].picture.empty());
}

TEST_F(RefreshCycleTest, AGoodAnswerClearsTheUnexpectedData) {
    service.answer("not json");
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::failed);
    EXPECT_EQ(state.unexpectedDataText(), "not json");
    service.answer(kBeijingAnswer);
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::processed);
    EXPECT_EQ(state.unexpectedDataText(), "");
}

// A web page in place of data is shown only by its beginning, cut at a whole character.
TEST_F(RefreshCycleTest, HugeUnusableAnswersAreShownByTheirBeginning) {
    std::string page = "ERROR!\r\n";
    while (page.size() < 3 * RefreshState::kShownAnswerBytes) {
        page += "防火墙拦截了请求。";
    }
    service.answer(page);
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::failed);
    const StatusLine status = state.status();
    const std::string ellipsis = gb("…");
    ASSERT_TRUE(status.text.ends_with(ellipsis));
    const std::string shown = utf8(status.text.substr(0, status.text.size() - ellipsis.size()));
    EXPECT_TRUE(page.starts_with(shown)) << "a character cut in half";
    EXPECT_LE(shown.size(), RefreshState::kShownAnswerBytes);
    EXPECT_GT(shown.size() + 3, RefreshState::kShownAnswerBytes);
    EXPECT_EQ(utf8(state.unexpectedDataText()), "ERROR!" + shown.substr(8) + "…");
    // The escaped form stays for reports.
    EXPECT_TRUE(state.responseText().starts_with("ERROR!\r\n\\u9632"));
}

TEST_F(RefreshCycleTest, HeaderLinesOfTheSourceGoWithEveryRequest) {
    useCustomSource({{"Main", "list"},
                     {"Detail", "detail?id=%s"},
                     {"Array", "data"},
                     {"identifier", "id"},
                     {"headline", "title"},
                     {"Headers", "Referer: https://weather.cma.cn/\\nUser-Agent: Test/1"}});
    store.writeText("JSON", "UseDetail", "1");
    service.answer(kBeijingAnswer);
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::processed);
    ASSERT_EQ(service.referers().size(), 3u);  // the list and two details
    for (const std::string& referer : service.referers()) {
        EXPECT_EQ(referer, "https://weather.cma.cn/");
    }
}

TEST_F(RefreshCycleTest, RefusedHeaderLinesNeverReachTheWire) {
    useCustomSource({{"Main", "list"}, {"Array", "data"}, {"Headers", "Host: evil.example"}});
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::failed);
    EXPECT_TRUE(service.requests().empty());
    EXPECT_EQ(view.calls.back().rfind("error: 【数据源设置有误】请求头“Host: evil.example”", 0), 0u)
        << view.calls.back();
}

// A firewall's check page where data was expected fails like any unusable answer, says what it
// was, and the next pass recovers.
TEST_F(RefreshCycleTest, AWebPageInPlaceOfDataFailsAndSaysSo) {
    service.answer(
        "<!DOCTYPE html><html><head><title>WEB 应用防火墙</title></head><body>人机识别检测</body>"
        "</html>");
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::failed);
    EXPECT_EQ(view.calls.back(),
              "error: 【数据源返回了网页，而不是预警数据】网页标题：WEB 应用防火墙");
    EXPECT_NE(state.unexpectedDataText().find("<body>"), std::string::npos);
    service.answer(kBeijingAnswer);
    EXPECT_EQ(runPass(), RefreshCycle::Outcome::processed);
}

TEST_F(RefreshCycleTest, HugeTimesAreHeldToWhatATimerTakes) {
    store.writeText("General", "RefreshTime", "3000000");
    store.writeText("General", "Interval", "3000000");
    service.answer(kBeijingAnswer);
    runPass();
    EXPECT_EQ(view.calls[view.calls.size() - 2], "interval: 2147483000");
    EXPECT_EQ(view.lastResult->rotationIntervalMs, 2147483000);
    store.writeText("General", "RetryTime", "99999999999");
    service.answer("");
    runPass();
    EXPECT_EQ(view.calls[view.calls.size() - 2], "interval: 2147483000");
}

TEST_F(RefreshCycleTest, ASavedAnswerIsCheckedWithoutTouchingAnythingElse) {
    const std::string page = "<script>/* Stage Start *//* Stage End */</script>";
    home.write("page.html", page);
    store.writeQuoted("HTML", "Location", home.text() + "/page.html");
    store.writeText("HTML", "Start", "1");
    store.writeText("General", "SaveJson", "1");
    store.writeQuoted("General", "JsonLink", home.text() + "/saved.json");
    EXPECT_EQ(checkSavedAnswer(services, kBeijingAnswer, view), RefreshCycle::Outcome::processed);
    ASSERT_TRUE(view.lastResult);
    EXPECT_EQ(view.lastResult->kept.size(), 2u);
    EXPECT_EQ(home.read("page.html"), page);
    EXPECT_FALSE(std::filesystem::exists(home.file("saved.json")));
    EXPECT_TRUE(service.requests().empty());
    EXPECT_EQ(state.previousResponse, nullptr);  // the live state is not the check's
}

}  // namespace
}  // namespace galewarden
