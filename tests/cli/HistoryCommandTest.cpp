#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/history/HistoryStore.h"
#include "core/json/JsonDocument.h"
#include "support/HistoryFixtures.h"
#include "support/RunProcess.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::utf8;

// 2026-07-01 20:00 in Beijing, the zone the test runs in.
constexpr HistoryTime kEvening = 1782907200;
constexpr HistoryTime kHour = 3600;

// A blue rainstorm from 07-01 20:00 until the pass at 07-02 03:00, a red gale from 07-02 23:00
// still in force.
class HistoryCommandTest : public ::testing::Test {
  protected:
    HistoryCommandTest() {
        ::setenv("TZ", "CST-8", 1);
        HistoryStore store(home.text() + "/History.db");
        HistoryWarning gale = test::warningFor("gale", 5);
        gale.name = test::gb("大风红色预警");
        gale.publishTime.reset();
        (void)store.recordPass({test::warningFor("rain", 2)}, kEvening, 400);
        (void)store.recordPass({}, kEvening + 7 * kHour, 400);
        (void)store.recordPass({gale}, kEvening + 27 * kHour, 400);
    }
    ~HistoryCommandTest() override { ::unsetenv("TZ"); }

    test::ProcessResult cli(const std::vector<std::string>& args) {
        std::vector<std::string> all{"history"};
        all.insert(all.end(), args.begin(), args.end());
        return test::runProcess(GALEWARDEN_CLI, all);
    }

    std::vector<std::string> names(const std::vector<std::string>& args) {
        const test::ProcessResult result = cli(args);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        JsonDocument json;
        EXPECT_TRUE(json.parse(result.out)) << result.out;
        std::vector<std::string> found;
        for (int i = 0;; ++i) {
            const std::string name = json.getText("[" + std::to_string(i) + "].name");
            if (name.empty()) {
                return found;
            }
            found.push_back(utf8(name));
        }
    }

    test::TestHome home;
};

TEST_F(HistoryCommandTest, JsonGivesEveryFieldWithLocalIsoTimes) {
    const test::ProcessResult result = cli({"--json"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    JsonDocument json;
    ASSERT_TRUE(json.parse(result.out)) << result.out;
    const auto field = [&](int row, const char* name) {
        return utf8(json.getText("[" + std::to_string(row) + "]." + name));
    };
    EXPECT_EQ(field(1, "name"), "暴雨蓝色预警");
    EXPECT_EQ(field(1, "headline"), "北京市气象台发布暴雨蓝色预警信号rain");
    EXPECT_EQ(field(1, "colour"), "blue");
    EXPECT_EQ(field(1, "sender"), "北京市气象台");
    EXPECT_EQ(field(1, "district"), "北京市");
    EXPECT_EQ(field(1, "description"), "预计未来六小时内有大雨。rain");
    EXPECT_EQ(field(1, "publishTime"), "2026-07-01T08:00:00+08:00");
    EXPECT_EQ(field(1, "firstSeen"), "2026-07-01T20:00:00+08:00");
    EXPECT_EQ(field(1, "lastSeen"), "2026-07-01T20:00:00+08:00");
    EXPECT_EQ(field(1, "endedAt"), "2026-07-02T03:00:00+08:00");
    EXPECT_EQ(field(0, "colour"), "red");
    // In force, and no readable publish time: null, not a text.
    EXPECT_NE(result.out.find("\"endedAt\":null"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\"publishTime\":null"), std::string::npos) << result.out;
}

TEST_F(HistoryCommandTest, DaysAndColoursSelect) {
    const std::vector<std::string> both{"大风红色预警", "暴雨蓝色预警"};
    const std::vector<std::string> rain{"暴雨蓝色预警"};
    const std::vector<std::string> gale{"大风红色预警"};
    EXPECT_EQ(names({"--json"}), both);
    EXPECT_EQ(names({"--since", "2026-07-02", "--json"}), both);  // the rain lasted past midnight
    EXPECT_EQ(names({"--since", "2026-07-03", "--json"}), gale);
    EXPECT_EQ(names({"--until", "2026-07-01", "--json"}), rain);  // days are inclusive
    EXPECT_EQ(names({"--until", "2026-07-02", "--json"}), both);
    EXPECT_EQ(names({"--json", "--colour", "red,orange"}), gale);
    EXPECT_EQ(names({"--json", "--colour", "white"}), std::vector<std::string>{});
}

TEST_F(HistoryCommandTest, CsvAndTextAndMistakes) {
    const test::ProcessResult csv = cli({"--csv"});
    EXPECT_EQ(csv.exitStatus, 0);
    EXPECT_EQ(csv.out.rfind("首次发现,", 0), 0u) << csv.out;
    EXPECT_NE(csv.out.find("2026-07-01 20:00:00,2026-07-01 20:00:00,2026-07-02 03:00:00,已解除"),
              std::string::npos)
        << csv.out;
    const test::ProcessResult text = cli({});
    EXPECT_NE(text.out.find("2026-07-02 23:00 ~ 生效中  大风红色预警"), std::string::npos)
        << text.out;
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--since", "2026-02-30"},
                                                  {"--colour", "purple"},
                                                  {"--json", "--csv"},
                                                  {"--until"},
                                                  {"--later", "2026-01-01"}}) {
        EXPECT_EQ(cli(wrong).exitStatus, 2) << wrong[0];
    }
}

TEST(HistoryCommand, NoHistoryIsAnEmptyList) {
    const test::TestHome home;
    const test::ProcessResult result = test::runProcess(GALEWARDEN_CLI, {"history", "--json"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "[]\n");
}

}  // namespace
}  // namespace galewarden
