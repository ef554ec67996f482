#include "core/alerts/classify/SignalColour.h"

#include <array>

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr std::size_t kCharacterBytes = 2;

struct ColourRow {
    std::string character;
    std::string levelName;
    std::string levelWord;
};

const std::array<ColourRow, 5>& colourTable() {
    static const std::array<ColourRow, 5> rows{{
        {gbFromUtf8("白"), gbFromUtf8("Ⅴ级/注意"), gbFromUtf8("提示信息")},
        {gbFromUtf8("蓝"), gbFromUtf8("Ⅳ级/一般"), gbFromUtf8("一般")},
        {gbFromUtf8("黄"), gbFromUtf8("Ⅲ级/较重"), gbFromUtf8("较重")},
        {gbFromUtf8("橙"), gbFromUtf8("Ⅱ级/严重"), gbFromUtf8("严重")},
        {gbFromUtf8("红"), gbFromUtf8("Ⅰ级/特别严重"), gbFromUtf8("特别严重")},
    }};
    return rows;
}

const std::string& empty() {
    static const std::string text;
    return text;
}

}  // namespace

bool isColourLevel(int level) {
    return level >= kWhite && level <= kRed;
}

int colourLevel(std::string_view colourCharacter) {
    const auto& rows = colourTable();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].character == colourCharacter) {
            return static_cast<int>(i) + kWhite;
        }
    }
    return kNoColour;
}

std::string_view colourCharacterOf(std::string_view signalName) {
    return signalName.substr(
        signalName.size() >= kCharacterBytes ? signalName.size() - kCharacterBytes : 0);
}

std::string_view typeOf(std::string_view signalName) {
    return signalName.substr(
        0, signalName.size() >= kCharacterBytes ? signalName.size() - kCharacterBytes : 0);
}

const std::string& colourCharacter(int level) {
    return isColourLevel(level) ? colourTable()[static_cast<std::size_t>(level - kWhite)].character
                                : empty();
}

const std::string& levelName(std::string_view colourCharacter) {
    const int level = colourLevel(colourCharacter);
    if (isColourLevel(level)) {
        return colourTable()[static_cast<std::size_t>(level - kWhite)].levelName;
    }
    static const std::string unknown = gbFromUtf8("未知级别");
    return unknown;
}

const std::string& levelWord(int level) {
    return isColourLevel(level) ? colourTable()[static_cast<std::size_t>(level - kWhite)].levelWord
                                : empty();
}

}  // namespace galewarden
