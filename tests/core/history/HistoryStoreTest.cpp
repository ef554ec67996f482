#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/history/HistoryReader.h"
#include "core/history/HistoryStore.h"
#include "support/HistoryFixtures.h"

namespace galewarden {
namespace {

using test::warningsFor;

// One pass: the keys in force, or an unchanged answer.
struct Pass {
    std::vector<std::string> keys;
    bool unchanged = false;
};
Pass unchanged() {
    return {{}, true};
}

struct Seen {
    HistoryTime firstSeen;
    HistoryTime lastSeen;
    std::optional<HistoryTime> endedAt;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
    *out << "{" << seen.firstSeen << ", " << seen.lastSeen << ", "
         << (seen.endedAt ? std::to_string(*seen.endedAt) : "in force") << "}";
}

struct SequenceCase {
    const char* name;
    std::vector<Pass> passes;  // pass n runs at 1000 * n, n from 1
    std::map<std::string, Seen> rows;
};

void PrintTo(const SequenceCase& sequence, std::ostream* out) {
    *out << sequence.name;
}

class PassSequence : public testing::TestWithParam<SequenceCase> {};

std::map<std::string, Seen> rowsIn(const std::string& path) {
    std::map<std::string, Seen> rows;
    HistoryReader reader(path);
    const std::vector<HistoryWarning> warnings =
        reader.read({}).value_or(std::vector<HistoryWarning>{});
    for (const HistoryWarning& warning : warnings) {
        EXPECT_FALSE(rows.contains(warning.key)) << "two rows for " << warning.key;
        rows[warning.key] = {warning.firstSeen, warning.lastSeen, warning.endedAt};
    }
    return rows;
}

TEST_P(PassSequence, RowsTellWhenEachWarningWasSeen) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    HistoryStore store(path);
    HistoryTime now = 0;
    for (const Pass& pass : GetParam().passes) {
        now += 1000;
        const HistoryNotice notice = pass.unchanged
                                         ? store.recordUnchanged(now, 400)
                                         : store.recordPass(warningsFor(pass.keys), now, 400);
        EXPECT_FALSE(notice) << historyNoticeText(notice);
    }
    EXPECT_EQ(rowsIn(path), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    History, PassSequence,
    testing::Values(
        SequenceCase{"New", {{{"a"}}}, {{"a", {1000, 1000, std::nullopt}}}},
        SequenceCase{"UnchangedMovesLastSeen",
                     {{{"a"}}, unchanged(), unchanged()},
                     {{"a", {1000, 3000, std::nullopt}}}},
        SequenceCase{"ProcessedAgainMovesLastSeen",
                     {{{"a", "b"}}, {{"b", "a"}}},
                     {{"a", {1000, 2000, std::nullopt}}, {"b", {1000, 2000, std::nullopt}}}},
        SequenceCase{"VanishedEndsInThePassWithoutIt",
                     {{{"a", "b"}}, unchanged(), {{"a"}}},
                     {{"a", {1000, 3000, std::nullopt}}, {"b", {1000, 2000, 3000}}}},
        SequenceCase{"EmptyAnswerEndsAll",
                     {{{"a", "b"}}, {{}}},
                     {{"a", {1000, 1000, 2000}}, {"b", {1000, 1000, 2000}}}},
        SequenceCase{"ReappearingIsInForceAgainOnItsRow",
                     {{{"a"}}, {{}}, unchanged(), {{"a"}}},
                     {{"a", {1000, 4000, std::nullopt}}}},
        SequenceCase{
            "RepeatedKeyInOnePassIsOneRow", {{{"a", "a"}}}, {{"a", {1000, 1000, std::nullopt}}}},
        SequenceCase{"NewBesideOld",
                     {{{"a"}}, {{"a", "b"}}, {{"b"}}},
                     {{"a", {1000, 2000, 3000}}, {"b", {2000, 3000, std::nullopt}}}}),
    [](const testing::TestParamInfo<SequenceCase>& sequence) {
        return std::string(sequence.param.name);
    });

TEST(HistoryStore, TextsComeBackAsGiven) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    HistoryStore store(path);
    HistoryWarning given = test::warningFor("k", 5);
    given.publishTime.reset();
    EXPECT_FALSE(store.recordPass({given}, 1000, 400));
    HistoryReader reader(path);
    const std::vector<HistoryWarning> rows =
        reader.read({}).value_or(std::vector<HistoryWarning>{});
    ASSERT_EQ(rows.size(), 1u);
    const std::optional<HistoryWarning> found = reader.warning(rows[0].rowId);
    ASSERT_TRUE(found);
    const HistoryWarning& back = *found;
    EXPECT_EQ(back.headline, given.headline);
    EXPECT_EQ(back.name, given.name);
    EXPECT_EQ(back.colour, 5);
    EXPECT_EQ(back.description, given.description);
    EXPECT_EQ(back.guidance, given.guidance);
    EXPECT_EQ(back.publishText, given.publishText);
    EXPECT_FALSE(back.publishTime);
    EXPECT_EQ(back.source, "vendor");
}

// A pass of warnings the file already holds in force makes none of them whole.
TEST(HistoryStore, OnlyWarningsNewToTheFileAreMadeWhole) {
    const test::TestHome home;
    HistoryStore store(home.text() + "/History.db");
    const std::vector<HistoryWarning> given{test::warningFor("a", 2), test::warningFor("b", 3),
                                            test::warningFor("c", 4)};
    std::vector<std::size_t> asked;
    const auto pass = [&](std::vector<std::string> keys) {
        asked.clear();
        HistoryStore::InForce inForce{std::move(keys), [&](std::size_t i) {
                                          asked.push_back(i);
                                          return given[i];
                                      }};
        EXPECT_FALSE(store.recordInForce(inForce, 1000, 400));
    };
    pass({given[0].key, given[1].key});
    EXPECT_EQ(asked, (std::vector<std::size_t>{0, 1}));
    pass({given[0].key, given[1].key});
    EXPECT_TRUE(asked.empty());
    pass({given[0].key, given[1].key, given[2].key});
    EXPECT_EQ(asked, (std::vector<std::size_t>{2}));
}

TEST(HistoryStore, ReadsSelectByTimeAndColour) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    HistoryStore store(path);
    std::vector<HistoryWarning> first = warningsFor({"early"});
    EXPECT_FALSE(store.recordPass(first, 1000, 400));
    std::vector<HistoryWarning> second{test::warningFor("late", 5)};
    EXPECT_FALSE(store.recordPass(second, 5000, 400));
    HistoryReader reader(path);
    const auto keys = [&](std::optional<HistoryTime> from, std::optional<HistoryTime> until,
                          unsigned colours) {
        HistoryQuery query;
        query.from = from;
        query.until = until;
        query.colours = colours;
        const std::vector<HistoryWarning> warnings =
            reader.read(query).value_or(std::vector<HistoryWarning>{});
        std::vector<std::string> found;
        for (const HistoryWarning& warning : warnings) {
            found.push_back(warning.key);
        }
        return found;
    };
    constexpr unsigned kAll = 0x3F;
    const std::vector<std::string> both{"late", "early"};
    EXPECT_EQ(keys({}, {}, kAll), both);
    EXPECT_EQ(keys(4000, {}, kAll), both);  // "early" ended at 5000
    EXPECT_EQ(keys(5001, {}, kAll), std::vector<std::string>{"late"});
    EXPECT_EQ(keys({}, 5000, kAll), std::vector<std::string>{"early"});
    EXPECT_EQ(keys({}, {}, 1u << 5), std::vector<std::string>{"late"});
}

TEST(HistoryStore, OldEndedRowsArePrunedOnceADay) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    HistoryStore store(path);
    constexpr HistoryTime kDay = 86400;
    EXPECT_FALSE(store.recordPass(warningsFor({"old", "kept"}), kDay, 2));
    EXPECT_FALSE(store.recordPass(warningsFor({"kept"}), 2 * kDay, 2));  // "old" ends on day 2
    EXPECT_FALSE(store.recordUnchanged(4 * kDay, 2));
    EXPECT_EQ(rowsIn(path).size(), 2u);  // ended two days ago: still kept
    EXPECT_FALSE(store.recordUnchanged(4 * kDay + kDay / 2, 2));
    EXPECT_EQ(rowsIn(path).size(), 2u);  // too old now, but the last pruning is not a day ago
    EXPECT_FALSE(store.recordUnchanged(5 * kDay, 2));
    EXPECT_EQ(rowsIn(path).count("old"), 0u);
    EXPECT_EQ(rowsIn(path).count("kept"), 1u);  // in force: never pruned
}

TEST(HistoryStore, NoDaysKeepsNoFile) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    HistoryStore store(path);
    EXPECT_FALSE(store.recordPass(warningsFor({"a"}), 1000, 0));
    EXPECT_FALSE(std::filesystem::exists(home.file("History.db")));
    HistoryReader reader(path);
    const std::optional<std::vector<HistoryWarning>> rows = reader.read({});
    ASSERT_TRUE(rows.has_value());
    EXPECT_TRUE(rows->empty());
}

}  // namespace
}  // namespace galewarden
