#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "core/alerts/AlertEngine.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/RefreshWorker.h"
#include "support/LoopbackServer.h"
#include "support/RecordingView.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using namespace std::chrono_literals;

const char* const kAnswer = R"({"data":[
 {"id":"1","title":"北京市气象台发布暴雨蓝色预警信号","content":"有雨。","time":"2026-07-20 20:00"}]})";

void waitFor(const std::function<bool()>& condition) {
    while (!condition()) {
        std::this_thread::sleep_for(5ms);
    }
}

class AlertEngineTest : public ::testing::Test {
  protected:
    AlertEngineTest() {
        service.server().Get(".*", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kAnswer, "application/json");
        });
        service.start();
        ::setenv("GALEWARDEN_ALERT_SERVICE", service.base().c_str(), 1);
        home.write("Galewarden.ini", "[Sign]\r\nAuto=0\r\n");
    }
    ~AlertEngineTest() override { ::unsetenv("GALEWARDEN_ALERT_SERVICE"); }

    test::TestHome home;
    test::LoopbackServer service;
    test::RecordingView view;
};

// A plug-in that never returns must not keep the program from ending.
TEST_F(AlertEngineTest, StopGivesUpOnABlockedPassAndSilencesIt) {
    std::filesystem::create_directories(home.file("GalewardenDLL"));
    std::filesystem::copy_file(BLOCKING_PLUGIN, home.file("GalewardenDLL/RefreshA.so"));
    home.write("Galewarden.ini", "[Sign]\r\nAuto=0\r\n[DLL]\r\nStart=1\r\n");
    ::setenv("GALEWARDEN_PLUGIN_GATE", home.path().c_str(), 1);
    std::size_t callsAtStop = 0;
    {
        AlertEngine engine(view);
        ASSERT_TRUE(engine.refreshNow());
        EXPECT_FALSE(engine.refreshNow());
        waitFor([&] { return std::filesystem::exists(home.file("entered")); });
        EXPECT_FALSE(engine.stop(100ms));
        callsAtStop = view.calls.size();
        home.write("release", "");
        waitFor([&] { return !engine.refreshing(); });
    }
    ::unsetenv("GALEWARDEN_PLUGIN_GATE");
    EXPECT_TRUE(std::filesystem::exists(home.file("returned")));
    EXPECT_EQ(view.calls.size(), callsAtStop);  // the view heard nothing after the stop
}

TEST_F(AlertEngineTest, StopEndsAnIdleOrFinishedEngineAtOnce) {
    AlertEngine engine(view);
    ASSERT_TRUE(engine.refreshNow());
    waitFor([&] { return !engine.refreshing(); });
    EXPECT_EQ(view.calls.back(), "icon settings");
    EXPECT_TRUE(engine.stop());
}

TEST_F(AlertEngineTest, ACheckRunsOnAStateOfItsOwn) {
    AlertEngine engine(view);
    engine.state().settingsChanged = true;
    test::RecordingView preview;
    EXPECT_EQ(engine.checkAnswer(kAnswer, preview), RefreshCycle::Outcome::processed);
    ASSERT_TRUE(preview.lastResult);
    EXPECT_EQ(preview.lastResult->kept.size(), 1u);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(engine.state().settingsChanged);
    EXPECT_EQ(engine.state().previousResponse, nullptr);
    EXPECT_EQ(engine.state().status().text, "");
}

TEST(RefreshWorker, RunsOnePassAtATime) {
    std::mutex mutex;
    std::condition_variable changed;
    bool release = false;
    std::atomic<int> running{0};
    std::atomic<int> mostAtOnce{0};
    std::atomic<int> passes{0};
    RefreshWorker worker([&](std::stop_token) {
        mostAtOnce = std::max(mostAtOnce.load(), ++running);
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return release; });
        --running;
        ++passes;
    });
    ASSERT_TRUE(worker.start());
    EXPECT_FALSE(worker.start());
    EXPECT_TRUE(worker.running());
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    changed.notify_all();
    waitFor([&] { return !worker.running(); });
    ASSERT_TRUE(worker.start());
    EXPECT_TRUE(worker.stop(10s));
    EXPECT_EQ(passes, 2);
    EXPECT_EQ(mostAtOnce, 1);
}

TEST(RefreshWorker, AFailureEscapingAPassIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            RefreshWorker worker([](std::stop_token) { throw std::runtime_error("boom"); });
            (void)worker.start();
            std::this_thread::sleep_for(10s);
        },
        ::testing::ExitedWithCode(255), "boom");
}

}  // namespace
}  // namespace galewarden
