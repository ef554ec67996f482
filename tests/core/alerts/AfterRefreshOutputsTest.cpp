#include <gtest/gtest.h>

#include "core/alerts/outputs/AfterRefreshOutputs.h"

namespace galewarden {
namespace {

std::vector<std::string> sortedIds(std::vector<std::pair<const char*, int>> warnings) {
    std::vector<KeptAlert> alerts;
    for (const auto& [id, hour] : warnings) {
        KeptAlert alert;
        alert.id = id;
        alert.publishDateTime = {2026, 7, 20, hour, 0, 0};
        alerts.push_back(alert);
    }
    sortForPlugin(alerts);
    std::vector<std::string> ids;
    for (const KeptAlert& alert : alerts) {
        ids.push_back(alert.id);
    }
    return ids;
}

// Plug-ins have always seen the order of a selection sort, which is not stable.
TEST(SortForPlugin, OldestFirstWithTiesInTheOrderOfTheSelection) {
    using Ids = std::vector<std::string>;
    EXPECT_EQ(sortedIds({{"a", 10}, {"b", 8}, {"c", 9}}), (Ids{"b", "c", "a"}));
    EXPECT_EQ(sortedIds({{"a", 9}, {"b", 9}, {"c", 8}}), (Ids{"c", "b", "a"}));
    EXPECT_EQ(sortedIds({{"a", 8}, {"b", 8}}), (Ids{"a", "b"}));
    EXPECT_EQ(sortedIds({}), Ids{});
}

}  // namespace
}  // namespace galewarden
