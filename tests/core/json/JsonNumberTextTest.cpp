#include <gtest/gtest.h>

#include <string>

#include "core/json/JsonNumberText.h"

namespace galewarden {
namespace {

struct NumberCase {
    std::string token;
    std::string text;
};

TEST(JsonNumberText, MatchesJavaScriptExceptThatIntegersKeepTheirDigits) {
    const NumberCase cases[] = {
        // Integer tokens: exactly their digits.
        {"0", "0"},
        {"-0", "0"},
        {"-42", "-42"},
        {"12345678901234567890", "12345678901234567890"},
        {"100000000000000000000000", "100000000000000000000000"},
        {"1" + std::string(400, '0'), "1" + std::string(400, '0')},
        // Fractions and exponents: the shortest digits that identify the double.
        {"1.0", "1"},
        {"1.50", "1.5"},
        {"-0.0", "0"},
        {"0.1", "0.1"},
        {"0.30000000000000004", "0.30000000000000004"},
        {"123e-2", "1.23"},
        {"2.5E+3", "2500"},
        {"1.7976931348623157e308", "1.7976931348623157e+308"},
        {"5e-324", "5e-324"},
        // Exponent form from 1e21 up and below 1e-6.
        {"1e20", "100000000000000000000"},
        {"1.5e20", "150000000000000000000"},
        {"1e21", "1e+21"},
        {"-1.5e22", "-1.5e+22"},
        {"1e-6", "0.000001"},
        {"1.5e-6", "0.0000015"},
        {"0.0000001", "1e-7"},
        {"1.25e-7", "1.25e-7"},
        // Beyond the double range.
        {"1e400", "Infinity"},
        {"-1e400", "-Infinity"},
        {"1" + std::string(400, '0') + ".5", "Infinity"},
        {"1e-400", "0"},
        {"-1e-400", "0"},
        {"0." + std::string(400, '0') + "1e50", "0"},
        {"0." + std::string(400, '0') + "1e500", "1e+99"},
        {"0.001e99999999999999999999", "Infinity"},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(jsonNumberText(c.token), c.text) << c.token.substr(0, 40);
    }
}

TEST(JsonNumberText, LeavesTextThatIsNoNumberAlone) {
    EXPECT_EQ(jsonNumberText("1.5x"), "1.5x");
    EXPECT_EQ(jsonNumberText(""), "");
}

}  // namespace
}  // namespace galewarden
