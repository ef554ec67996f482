#include <gtest/gtest.h>

#include <climits>

#include "core/text/TextToNumber.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

TEST(TextToNumber, IntegerRules) {
    const struct {
        const char* utf8;
        int expected;
    } cases[] = {
        {"120", 120},
        {"  42abc", 42},
        {"-7", -7},
        {"+8", 8},
        {"abc", 0},
        {"", 0},
        {"1.9", 1},
        {"１２３", 123},
        {"－５", -5},
        {"＋６", 6},
        {"　９", 9},
        {" 1", 1},
        {"- 1", 0},
        {"9x9", 9},
        {"3０", 30},
        {"\t5", 5},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textToInteger(gb(c.utf8)), c.expected) << c.utf8;
    }
}

TEST(TextToNumber, HalfWidthForms) {
    EXPECT_EQ(toHalfWidth(gb("ＡＢｃ１－：　")), "ABc1-: ");
    EXPECT_EQ(toHalfWidth(gb("￥北京")), gb("￥北京"));  // the yuan sign is no dollar sign
}

TEST(TextToNumber, RealRules) {
    EXPECT_DOUBLE_EQ(textToReal("0.5"), 0.5);
    EXPECT_DOUBLE_EQ(textToReal(" 2.5days"), 2.5);
    EXPECT_DOUBLE_EQ(textToReal(gb("０．２５")), 0.25);
    EXPECT_DOUBLE_EQ(textToReal("-1e-3"), -0.001);
    EXPECT_DOUBLE_EQ(textToReal(""), 0.0);
    EXPECT_DOUBLE_EQ(textToReal("x1"), 0.0);
    EXPECT_DOUBLE_EQ(textToReal("1e999"), 0.0);
}

}  // namespace
}  // namespace galewarden
