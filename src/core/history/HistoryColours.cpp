#include "core/history/HistoryColours.h"

#include <array>

#include "core/history/HistoryWarning.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr std::array<std::string_view, kHistoryColours> kKeys{"none",   "white",  "blue",
                                                              "yellow", "orange", "red"};
constexpr std::array<std::string_view, kHistoryColours> kNames{"无",   "白色", "蓝色",
                                                               "黄色", "橙色", "红色"};

bool known(int colour) {
    return colour >= 0 && colour < kHistoryColours;
}

}  // namespace

std::string historyColourName(int colour) {
    return gbFromUtf8(kNames[static_cast<std::size_t>(known(colour) ? colour : 0)]);
}

std::string_view historyColourKey(int colour) {
    return kKeys[static_cast<std::size_t>(known(colour) ? colour : 0)];
}

std::optional<int> historyColourOfKey(std::string_view key) {
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i] == key) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace galewarden
