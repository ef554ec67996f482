#include <gtest/gtest.h>

#include <string>

#include "core/config/ConfigColour.h"

namespace galewarden {
namespace {

struct ColourCase {
    const char* text;
    ColourValue value;
};

TEST(ConfigColour, TextGivesTheValue) {
    const ColourCase cases[] = {
        {"#ECECEC", 0xECECEC},
        {"#000000FF", 0xFF000000},
        {"#203040", rgbColour(0x20, 0x30, 0x40)},
        {"#FFFFE0FF", 0xFFE0FFFF},
        {"#ffffe0ff", 0xFFE0FFFF},  // either case
        {"ECECEC", 0xECECEC},       // without "#"
        {"#EC#EC#EC", 0xECECEC},    // every "#" goes first
        {"#ECECE", 0xECEC},         // a trailing odd digit is ignored
        {"#1", 0},
        {"#12", 0x12},                // missing pairs are 0
        {"#G5ZZ1G", 0x010005},        // other characters are skipped inside their pair
        {"#0102030405", 0x04030201},  // pairs beyond the fourth are ignored
        {"#01020304FFFFFF", 0x04030201},
        {"", 0},
        {"#", 0},
        {"xyz", 0},
        {"\xBA\xEC\xC9\xAB", 0},  // 红色 in GB18030: no digits at all
    };
    for (const ColourCase& c : cases) {
        EXPECT_EQ(textToColour(c.text), c.value) << c.text;
    }
}

TEST(ConfigColour, StoredFormHasAFourthPairOnlyWhenItIsNotZero) {
    const ColourCase cases[] = {
        {"#ECECEC", 0xECECEC},     {"#000000FF", 0xFF000000}, {"#000000", 0},
        {"#0A0B0C", 0x0C0B0A},     {"#FFFFE0FF", 0xFFE0FFFF}, {"#01020304", 0x04030201},
        {"#FFFFFFFF", 0xFFFFFFFF},
    };
    for (const ColourCase& c : cases) {
        EXPECT_EQ(colourToText(c.value), c.text);
        EXPECT_EQ(textToColour(colourToText(c.value)), c.value) << c.text;
    }
}

TEST(ConfigColour, BytesOfAValue) {
    const ColourValue colour = textToColour("#10203040");
    EXPECT_EQ(redOf(colour), 0x10);
    EXPECT_EQ(greenOf(colour), 0x20);
    EXPECT_EQ(blueOf(colour), 0x30);
    EXPECT_EQ(fourthOf(colour), 0x40);
    EXPECT_EQ(rgbColour(0x10, 0x20, 0x30), colour & 0xFFFFFF);
}

}  // namespace
}  // namespace galewarden
