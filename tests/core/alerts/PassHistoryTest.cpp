#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/alerts/AlertEngine.h"
#include "core/alerts/RefreshState.h"
#include "core/config/ConfigStore.h"
#include "core/history/HistoryReader.h"
#include "core/history/HistoryStore.h"
#include "support/FakeService.h"
#include "support/RecordingView.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;

const char* const kRainWarning = R"(
 {"id":"110000_20260720200000","title":"北京市气象台发布暴雨蓝色预警信号",
  "content":"预计未来6小时内将出现强降雨。","time":"2026-07-20 20:00:00"})";
const char* const kWind = R"(
 {"id":"110000_20260720190000","title":"北京市气象台发布大风黄色预警信号",
  "content":"预计将出现8级以上大风。","time":"2026-07-20 19:00:00"})";
const char* const kWindLifted = R"(
 {"id":"110000_20260720230000","title":"北京市气象台解除大风黄色预警信号",
  "content":"大风减弱。","time":"2026-07-20 23:00:00"})";

std::string answerOf(std::initializer_list<const char*> warnings) {
    std::string answer = R"({"data":[)";
    for (const char* warning : warnings) {
        answer += (answer.back() == '[' ? "" : ",") + std::string(warning);
    }
    return answer + "]}";
}

// The engine's own passes, run on the test's thread, with the history file it keeps.
class PassHistoryTest : public ::testing::Test {
  protected:
    PassHistoryTest() {
        ::setenv("GALEWARDEN_ALERT_SERVICE", service.base().c_str(), 1);
        store.writeText("Sign", "Auto", "0");
        engine.state().settingsChanged = true;
    }
    ~PassHistoryTest() override { ::unsetenv("GALEWARDEN_ALERT_SERVICE"); }

    RefreshCycle::Outcome pass(const std::string& answer) {
        service.answer(answer);
        view.calls.clear();
        return engine.runOnce();
    }

    // Name → in force, by the rows of the history file.
    std::map<std::string, bool> rows() {
        HistoryReader reader(historyPath());
        std::map<std::string, bool> inForce;
        const std::vector<HistoryWarning> warnings =
            reader.read({}).value_or(std::vector<HistoryWarning>{});
        for (const HistoryWarning& warning : warnings) {
            inForce[utf8(warning.name)] = warning.inForce();
        }
        return inForce;
    }

    test::TestHome home;
    test::FakeService service;
    ConfigStore store;
    test::RecordingView view;
    AlertEngine engine{view};
};

TEST_F(PassHistoryTest, AWarningLiftedOrGoneEndsAndTheOthersStayInForce) {
    EXPECT_EQ(pass(answerOf({kRainWarning, kWind})), RefreshCycle::Outcome::processed);
    EXPECT_EQ(rows(), (std::map<std::string, bool>{{"暴雨蓝色预警信号", true},
                                                   {"大风黄色预警信号", true}}));
    EXPECT_EQ(pass(answerOf({kRainWarning, kWind})), RefreshCycle::Outcome::unchanged);
    EXPECT_EQ(pass(answerOf({kWindLifted, kRainWarning, kWind})), RefreshCycle::Outcome::processed);
    EXPECT_EQ(rows(), (std::map<std::string, bool>{{"暴雨蓝色预警信号", true},
                                                   {"大风黄色预警信号", false}}));
    EXPECT_EQ(pass(answerOf({})), RefreshCycle::Outcome::processed);
    EXPECT_EQ(rows(), (std::map<std::string, bool>{{"暴雨蓝色预警信号", false},
                                                   {"大风黄色预警信号", false}}));
}

TEST_F(PassHistoryTest, ARowHoldsWhatTheSourceGaveAndWhatThePassMadeOfIt) {
    pass(answerOf({kRainWarning}));
    HistoryReader reader(historyPath());
    const std::vector<HistoryWarning> warnings =
        reader.read({}).value_or(std::vector<HistoryWarning>{});
    ASSERT_EQ(warnings.size(), 1u);
    const HistoryWarning& row = warnings[0];
    EXPECT_EQ(utf8(row.headline), "北京市气象台发布暴雨蓝色预警信号");
    EXPECT_EQ(row.colour, 2);
    EXPECT_EQ(utf8(row.type), "暴雨");
    EXPECT_EQ(utf8(row.district), "北京市");
    EXPECT_EQ(utf8(row.description), "预计未来6小时内将出现强降雨。");
    EXPECT_EQ(row.publishText, "2026/07/20 20:00:00");
    EXPECT_EQ(row.publishTime, 1784548800);  // 12:00 UTC
    EXPECT_EQ(row.source, "vendor");
    EXPECT_TRUE(row.inForce());
}

TEST_F(PassHistoryTest, AHistoryFaultIsSaidOnceAndThePassGoesOn) {
    home.write("History.db", "not a database, only words that fill the first page of it");
    EXPECT_EQ(pass(answerOf({kRainWarning})), RefreshCycle::Outcome::processed);
    ASSERT_TRUE(view.lastResult);
    const auto status = std::find_if(view.calls.rbegin(), view.calls.rend(), [](const auto& call) {
        return call.rfind("status: ", 0) == 0;
    });
    ASSERT_NE(status, view.calls.rend());
    const std::string said = *status;
    EXPECT_NE(said.find("【历史记录】"), std::string::npos) << said;
    EXPECT_NE(said.find("corrupt"), std::string::npos) << said;
    EXPECT_EQ(said.rfind("status: 共有1种类型的1个预警正生效中。", 0), 0u) << said;
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(pass(answerOf({kRainWarning, kWind})), RefreshCycle::Outcome::processed);
    for (const std::string& call : view.calls) {
        EXPECT_EQ(call.find("【历史记录】"), std::string::npos) << call;
    }
}

TEST_F(PassHistoryTest, NoDaysNoHistory) {
    store.writeText("History", "Days", "0");
    EXPECT_EQ(pass(answerOf({kRainWarning})), RefreshCycle::Outcome::processed);
    EXPECT_FALSE(std::filesystem::exists(home.file("History.db")));
}

}  // namespace
}  // namespace galewarden
