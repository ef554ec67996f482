#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace galewarden {

// "蓝色" … (GB18030); "无" for no colour.
std::string historyColourName(int colour);
// "blue" …; "none" for no colour: the names scripts use.
std::string_view historyColourKey(int colour);
// The colour a key names; nullopt for an unknown key.
std::optional<int> historyColourOfKey(std::string_view key);

}  // namespace galewarden
