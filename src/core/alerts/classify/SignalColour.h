#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// The colours of the warning signals by level: 1 白, 2 蓝, 3 黄, 4 橙, 5 红; 0 is none or
// unknown. Every table of colours in the program reads from here. Texts are GB18030.
inline constexpr int kNoColour = 0;
inline constexpr int kWhite = 1;
inline constexpr int kBlue = 2;
inline constexpr int kYellow = 3;
inline constexpr int kOrange = 4;
inline constexpr int kRed = 5;

bool isColourLevel(int level);

// The level of one exact colour character; 0 for anything else (such as 无).
int colourLevel(std::string_view colourCharacter);

// The colour character at the end of a signal name (its last two bytes): 暴雨蓝 → 蓝.
std::string_view colourCharacterOf(std::string_view signalName);
std::string_view typeOf(std::string_view signalName);

// 蓝 for 2; empty for no colour.
const std::string& colourCharacter(int level);
// "Ⅳ级/一般" for 蓝; "未知级别" for anything but one exact colour character.
const std::string& levelName(std::string_view colourCharacter);
// "一般" for level 2, the word of the balloon title; empty for no colour.
const std::string& levelWord(int level);

}  // namespace galewarden
