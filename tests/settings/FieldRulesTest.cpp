#include <gtest/gtest.h>

#include "settings/model/AlphaLabel.h"
#include "settings/model/IntegerText.h"
#include "settings/model/RefreshTimeRule.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

TEST(AlphaLabel, PositionAndShareOfFullOpacity) {
    const std::pair<int, const char*> cases[] = {
        {63, "63(24.7%)"},  {95, "95(37.3%)"}, {127, "127(49.8%)"}, {159, "159(62.4%)"},
        {255, "255(100%)"}, {0, "0(0%)"},      {51, "51(20%)"},     {1, "1(0.4%)"},
    };
    for (const auto& [position, text] : cases) {
        EXPECT_EQ(alphaLabelText(position), text);
    }
}

TEST(RefreshTimeRule, BelowThirtySecondsAsTheReaderSeesIt) {
    const std::pair<const char*, bool> cases[] = {
        {"10", true},    {"29", true},     {"30", false},     {"120", false},
        {"abc", true},   {"", true},       {"-45", true},     {" 45", false},
        {"４５", false}, {"45abc", false}, {"　６０", false},
    };
    for (const auto& [text, below] : cases) {
        EXPECT_EQ(belowRefreshMinimum(gb(text)), below) << text;
    }
}

TEST(IntegerText, WholeTextMustBeAnInteger) {
    struct Case {
        const char* text;
        bool signAllowed;
        bool integer;
        bool prefix;
    };
    const Case cases[] = {
        {"100", false, true, true},     {" 100", false, true, true},
        {"１００", false, true, true},  {"　１", false, true, true},
        {"", false, false, true},       {"  ", false, false, true},
        {"12px", false, false, false},  {"abc", false, false, false},
        {"1 2", false, false, false},   {"12 ", false, false, false},
        {"-3", false, false, false},    {"-3", true, true, true},
        {"+3", true, true, true},       {"－３", true, true, true},
        {"-", true, false, true},       {"--3", true, false, false},
        {"1\r\n", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isIntegerText(gb(c.text), c.signAllowed), c.integer) << c.text;
        EXPECT_EQ(isIntegerTextPrefix(gb(c.text), c.signAllowed), c.prefix) << c.text;
    }
}

}  // namespace
}  // namespace galewarden
